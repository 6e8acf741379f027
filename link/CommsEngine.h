#pragma once
// The transaction engine: sends the selected command row, waits for the reply the mode flags
// ask for, runs the picture transfer, and reports to an observer. It owns Timer1, the only clock
// of the link, and never touches a widget.

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <functional>
#include <utility>

#include "app/LinkObserver.h"
#include "app/Timing.h"
#include "link/LinkTrace.h"

struct SharedState;
class SerialPort;
class Dialogs;
class CommError;

class CommsEngine : public QObject {
    Q_OBJECT
  public:
    CommsEngine(SharedState& state, SerialPort& port, Dialogs& dialogs, Timing timing = {},
                QObject* parent = nullptr);

    // Callbacks of the forms that wait for a particular reply.
    struct Handlers {
        std::function<void()> engineeringRead;  // GetRdVemraDataFromString
        std::function<void()> imageCount;       // RxImagesStoredOnTheCamera
        std::function<void()> splashReply;
        std::function<void()> fpgaBlockReply;
    } handlers;

    // Puts a reply handler in place for one exchange, and the previous one back afterwards.
    class HandlerScope {
      public:
        HandlerScope(std::function<void()>& slot, std::function<void()> handler)
            : slot_(slot), saved_(std::exchange(slot, std::move(handler))) {}
        ~HandlerScope() { slot_ = std::move(saved_); }

      private:
        std::function<void()>& slot_;
        std::function<void()> saved_;
    };

    void setObserver(LinkObserver* observer) { observer_ = observer; }

    void Transmit();
    void Receive();
    QByteArray ReceivePacket(int length);
    void SendAck();
    void SendNak();
    void SendNak1();
    void SendNak2();
    void SendEndOfTransfer();
    void DownloadImagePackets();
    // A status block or count reply the line damaged is asked for again, this many requests in
    // all. askingAgain logs why request `request` is made and forgets what is left of the
    // damaged reply.
    static constexpr int kRequestsPerReply = 3;
    void askingAgain(const QString& what, int request);
    // How many replies this engine has asked for again since it started: a line's noise.
    int askedAgain() const { return askedAgain_; }

    // True while the engine waits for the camera: a new exchange now would interleave with it.
    bool busy() const { return waiting_ > 0; }
    // For callers that start an exchange from the window: when busy, says so and returns true.
    bool refuseWhileBusy();
    // Keeps the engine busy through a run of requests of one caller's own (the line check), so
    // the window cannot slip an exchange in between them. Transmit is refused meanwhile.
    class BusyScope {
      public:
        explicit BusyScope(CommsEngine& engine) : n_(engine.waiting_) { ++n_; }
        ~BusyScope() { --n_; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

      private:
        int& n_;
    };
    // The note line under the lamps (empty clears it); operations' notes come through here too,
    // so the next command that succeeds knows a line of ours is up and clears it.
    void showNote(const QString& text);
    // Clears the note line after a command that succeeded (a checked status block, say) unless
    // the command put its own note up.
    void commandSucceeded();
    // Reports a port failure in one message (portErrorText): the design's 8005 message, with
    // who holds the device when another program does, or the device we may not open or that
    // does not exist; other failures end the exchange silently.
    void reportPortError(const CommError& error);

    QTimer& timer1() { return Timer1; }
    const Timing& timing() const { return timing_; }
    SerialPort& port() { return port_; }
    LinkTrace& trace() { return trace_; }
    SharedState& state() { return s_; }
    Dialogs& dialogs() { return dialogs_; }
    LinkObserver* observer() const { return observer_; }

    static const QString kBusyNote;
    static const QString kCameraGone;
    static const QString kNoConfirmation;

  private:
    class WaitScope;
    class ExchangeScope;
    bool waitForCount(int count);  // true when the count arrived before Timer1 ran out
    void commonTail(bool plain);
    void showTransferEnd();
    bool deviceGone();
    void showIndicator(int which);
    QByteArray packetTimeout(const char* message);
    void storeHeader(const QByteArray& packet);
    bool storeData(const QByteArray& packet, bool& repeat);
    void resendLastReply();
    bool stoppedMidTransfer();
    void transmitFrame();

    SharedState& s_;
    LinkTrace trace_;
    TracedPort traced_;
    SerialPort& port_;  // the traced port: every write also reaches the link log
    Dialogs& dialogs_;
    Timing timing_;
    LinkObserver* observer_ = nullptr;
    QTimer Timer1;
    bool startFound_ = false;
    QByteArray accumulation_;
    int waiting_ = 0;
    int askedAgain_ = 0;
    bool goneTold_ = false;  // the user knows the device has gone
    int exchanges_ = 0;      // exchanges under way, nested ones included
    bool replied_ = false;   // the last wait heard something
    bool noteShown_ = false;
    bool noteThisExchange_ = false;  // the exchange under way put its own note up
    bool busyNoteShown_ = false;
};

// Watches the engine's link while it lives, on top of whoever watched before: every call goes on
// to that one, and a subclass adds its own view of what it overrides.
class ChainedObserver : public LinkObserver {
  public:
    explicit ChainedObserver(CommsEngine& engine) : engine_(engine), next_(engine.observer()) {
        engine_.setObserver(this);
    }
    ~ChainedObserver() override { engine_.setObserver(next_); }
    ChainedObserver(const ChainedObserver&) = delete;
    ChainedObserver& operator=(const ChainedObserver&) = delete;

    void showIndicator(Indicator which) override {
        if (next_) next_->showIndicator(which);
    }
    void showNote(const QString& text) override {
        if (next_) next_->showNote(text);
    }
    void showCaption(bool visible, const QString& text) override {
        if (next_) next_->showCaption(visible, text);
    }
    void showProgress(bool visible, int value) override {
        if (next_) next_->showProgress(visible, value);
    }
    void showTransferHealth(const LinkHealth& health, bool complete) override {
        if (next_) next_->showTransferHealth(health, complete);
    }

  protected:
    CommsEngine& engine_;
    LinkObserver* next_;
};

// "Send options": spot sensor, ambient sensor, unit and time/date display, one command each.
void SendOptions(CommsEngine& engine, bool spotOn, bool ambientOn, bool fahrenheit,
                 bool timeDateOn);
