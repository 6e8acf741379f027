#pragma once
// Mail: one message with one attachment, built as MIME and handed to the system's mail transport
// through the standard `sendmail -t -oi` interface (msmtp, postfix, exim and nullmailer all
// provide it). Tests use the recording transport.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <vector>

// The repair centre's address; the command line may give another.
inline constexpr char kRepairCentreAddress[] = "service@orvik3.example";

struct MailMessage {
    QString to;
    QString subject;
    QString body;
    QString attachmentName;
    QByteArray attachmentData;
    QString attachmentType = QStringLiteral("text/plain; charset=UTF-8");
};

// The message as RFC 5322 text with LF line ends, as sendmail takes it on its input.
QByteArray buildMimeMessage(const MailMessage& message,
                            const QDateTime& date = QDateTime::currentDateTime());

class MailTransport {
  public:
    virtual ~MailTransport() = default;
    // True once the transport has taken the message for delivery.
    virtual bool send(const MailMessage& message) = 0;
};

class SendmailTransport : public MailTransport {
  public:
    // An empty program means: look for sendmail on PATH, then in /usr/sbin and /usr/lib.
    explicit SendmailTransport(QString program = QString(), int timeoutMs = 60000);
    bool send(const MailMessage& message) override;

    static QString findSendmail();

  private:
    QString program_;
    int timeoutMs_;
};

class RecordingTransport : public MailTransport {
  public:
    explicit RecordingTransport(bool accept = true) : accept(accept) {}
    bool send(const MailMessage& message) override {
        sent.push_back(message);
        return accept;
    }

    bool accept;
    std::vector<MailMessage> sent;
};
