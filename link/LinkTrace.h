#pragma once
// The link log: one line per packet in either direction (time, direction, the decoded packet,
// checksum good or bad) and the link's events (time-outs, resends). Service engineers read a
// failing camera's exchange from it.

#include <QByteArray>
#include <QFile>
#include <QString>

#include "link/ForwardingPort.h"

// What a packet from the PC says: its payload (after 'T' 0x01) in words.
QString describePcPayload(const QByteArray& payload, bool preamble);
// What a reply from the camera says, given the length the link waited for.
QString describeCameraReply(const QByteArray& text, int expectedLength);

class LinkTrace {
  public:
    bool start(const QString& path);  // truncates; false when the file cannot be written
    void stop();
    bool logging() const { return file_.isOpen(); }
    QString path() const { return file_.fileName(); }
    QString errorString() const { return file_.errorString(); }

    // Bytes as written to the port: whole frames are decoded as they complete.
    void outgoing(const QByteArray& bytes);
    // One reply or packet the link received.
    void incoming(const QByteArray& text, int expectedLength);
    void event(const QString& text);
    // The port as it was opened; told again only when the port, its settings or its
    // low-latency answer change (the link opens the port for every exchange).
    void portOpened(int number, const QString& settings, bool lowLatency);

  private:
    void line(const QString& direction, const QString& text);
    void decodePending();
    QFile file_;
    QByteArray pending_;
    QString lastPort_;
};

// The serial port as the link uses it: every write also goes to the link log when one is open.
class TracedPort : public ForwardingPort {
  public:
    TracedPort(SerialPort& port, LinkTrace& trace) : ForwardingPort(port), trace_(trace) {}
    void setPortOpen(bool open) override {
        real_.setPortOpen(open);
        if (open && trace_.logging()) trace_.portOpened(commPort(), settings(), lowLatency());
    }
    void output(const QByteArray& bytes) override {
        real_.output(bytes);
        if (trace_.logging()) trace_.outgoing(bytes);
    }

  private:
    LinkTrace& trace_;
};
