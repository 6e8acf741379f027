#pragma once
// Sending a splash picture to the camera. The camera drives the upload: after the start packet
// and after every block it asks for the block it wants next, and only a request whose checksum
// holds makes a block go out. The window around it is reached through SplashView.

#include <QImage>
#include <QString>
#include <cstdint>

#include "camera/Outcome.h"

class CommsEngine;
struct SharedState;
namespace camera {
class Camera;
}

// What the upload touches on the advanced form's "Start up screen" tab and around it.
class SplashView {
  public:
    virtual ~SplashView() = default;
    virtual void showPreview(const QImage& /*picture*/) {}                          // Picture4
    virtual void showProgress(bool /*visible*/, int /*value*/, int /*maximum*/) {}  // ProgressBar1
    virtual void showWaitCaption(bool /*visible*/, const QString& /*text*/) {}      // lblUpDown1
    // Locked: SSTab1 and the buttons an upload must not meet; unlocked: those again, with the
    // port list and its "Set" button.
    virtual void lockForUpload(bool /*locked*/) {}
    // After an upload the reply handler stopped: the picture-download controls come back.
    virtual void uploadStopped() {}
    // "View splash" first selects "Splash" in the picture list ViewImage_combo.
    virtual void selectSplashInImageList() {}
};

class SplashUpload {
  public:
    explicit SplashUpload(CommsEngine& engine, SplashView* view = nullptr);
    // Uploads and switches are recorded in this camera's service history.
    void recordTo(camera::Camera* camera) { camera_ = camera; }

    // Loads a file as the splash picture and shows its preview; a file of another kind is
    // refused with a message and leaves the picture loaded before.
    camera::Outcome load(const QString& path);
    // "Send splash": the whole upload, until the camera has every block or the upload stops.
    // Refused with a message when no usable picture is loaded; only 'S' 'f' has gone out then.
    camera::Outcome send();

    // Each sends its row; true when the camera acknowledged it.
    bool switchOn();      // "Splash on"
    bool switchOff();     // "Splash off"
    bool viewOnCamera();  // "View splash": the splash picture on the camera's display
    bool normalImage();   // "Normal image"

    // The reply handler the engine calls in SplashReplyMode, once per collected reply.
    void SplashReplyHandler();
    // Sets SplashReplyValid from the received checksum and the request's two number bytes.
    void CheckRxSplashCRC(int16_t& receivedChecksum);

    // How the last send ended.
    enum class Outcome { None, Loaded, Stopped, NotSent };
    Outcome outcome() const { return outcome_; }

    static const QString kFormatProblem, kLoaded, kCommsError;

  private:
    void runUpload();
    void endUpload();
    void sendBlock();
    void badReply();
    void holdPartial(const QByteArray& fragment);
    void finish();
    bool sendRow(int row);

    CommsEngine& engine_;
    SharedState& s_;
    camera::Camera* camera_ = nullptr;
    QString fileSha256_;
    SplashView* view_;
    SplashView noView_;
    int progress_ = 0;
    bool replyHandled_ = false;
    Outcome outcome_ = Outcome::None;
    camera::Outcome said_;
};
