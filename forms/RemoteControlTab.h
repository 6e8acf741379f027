#pragma once
// The "Remote control" tab: the transmitter channel buttons and the remote zoom.

#include "forms/AdvancedTab.h"

namespace advanced {

class RemoteControlTab : public AdvancedTab {
    Q_OBJECT
  public:
    RemoteControlTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
                     Orvik3Controls& controls);

    // Tx_chn1_on to Tx_chn4_on are usable up to the number of channels the camera has.
    void showChannels(int channels);
};

}  // namespace advanced
