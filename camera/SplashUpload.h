#pragma once
// Sending a splash picture to the camera. The camera drives the upload: after the start packet
// and after every block it asks for the block it wants next, and only a request whose checksum
// holds makes a block go out. The window around it is reached through SplashView.

#include <QImage>
#include <QString>
#include <cstdint>

class CommsEngine;
struct SharedState;

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

    // "Open": chooses a bitmap and loads it. False when cancelled or refused.
    bool OpenSplashImage_btn_Click();
    // Loads a file as the splash picture; a file of another kind is refused with a message and
    // leaves the picture loaded before.
    bool LoadSplashFile(const QString& path);
    // "Send splash": the whole upload, until the camera has every block or the upload stops.
    void SendBMP_To_Camera_Click();

    void Splash_on_btn_Click();
    void Splash_off_btn_Click();
    void ViewSplashOnCamera_Click();
    void Display_Scene_Click();

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
    void sendRow(int row);

    CommsEngine& engine_;
    SharedState& s_;
    SplashView* view_;
    SplashView noView_;
    int progress_ = 0;
    bool replyHandled_ = false;
    Outcome outcome_ = Outcome::None;
};
