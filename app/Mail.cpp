#include "app/Mail.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QStandardPaths>

namespace {

bool isPlainAscii(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x7F || (c.unicode() < 0x20 && c != u'\n' && c != u'\t')) {
            return false;
        }
    }
    return true;
}

// A header value on one line: line breaks in it would start new headers.
QString oneLine(QString text) {
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    return text;
}

QString normalisedLines(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return text;
}

// RFC 2047 encoded words, each short enough for a header line.
QByteArray headerValue(const QString& value) {
    const QString text = oneLine(value);
    if (isPlainAscii(text)) {
        return text.toLatin1();
    }
    QByteArray out;
    QByteArray chunk;
    auto flush = [&] {
        if (!out.isEmpty()) {
            out += "\n ";
        }
        out += "=?UTF-8?B?" + chunk.toBase64() + "?=";
        chunk.clear();
    };
    for (int i = 0; i < text.size(); ++i) {
        const int width = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray piece = text.mid(i, width).toUtf8();
        if (chunk.size() + piece.size() > 45) {
            flush();
        }
        chunk += piece;
        i += width - 1;
    }
    flush();
    return out;
}

// filename="..." for ASCII names, RFC 2231 filename*= otherwise.
QByteArray fileNameParameter(const char* key, const QString& name) {
    const QString clean = oneLine(name);
    if (isPlainAscii(clean)) {
        QByteArray quoted = clean.toLatin1();
        quoted.replace('\\', "\\\\").replace('"', "\\\"");
        return QByteArray(key) + "=\"" + quoted + '"';
    }
    return QByteArray(key) + "*=UTF-8''" + clean.toUtf8().toPercentEncoding();
}

QByteArray base64Lines(const QByteArray& data) {
    const QByteArray encoded = data.toBase64();
    QByteArray out;
    for (qsizetype i = 0; i < encoded.size(); i += 76) {
        out += encoded.mid(i, 76) + '\n';
    }
    return out;
}

bool fitsSevenBit(const QString& body) {
    if (!isPlainAscii(body)) {
        return false;
    }
    for (const QStringView line : QStringView(body).split(u'\n')) {
        if (line.size() > 998) {
            return false;
        }
    }
    return true;
}

QByteArray bodyPart(const QString& bodyText) {
    const QString body = normalisedLines(bodyText);
    if (fitsSevenBit(body)) {
        QByteArray text = body.toLatin1();
        if (!text.endsWith('\n')) {
            text += '\n';
        }
        return "Content-Type: text/plain; charset=US-ASCII\n"
               "Content-Transfer-Encoding: 7bit\n\n" +
               text;
    }
    return "Content-Type: text/plain; charset=UTF-8\n"
           "Content-Transfer-Encoding: base64\n\n" +
           base64Lines(body.toUtf8());
}

QByteArray attachmentPart(const MailMessage& m) {
    return "Content-Type: " + oneLine(m.attachmentType).toLatin1() + "; " +
           fileNameParameter("name", m.attachmentName) + "\nContent-Disposition: attachment; " +
           fileNameParameter("filename", m.attachmentName) +
           "\nContent-Transfer-Encoding: base64\n\n" + base64Lines(m.attachmentData);
}

// "=_" never occurs in base64 text, and the 7-bit body is checked for it.
QByteArray boundaryFor(const MailMessage& m) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(m.body.toUtf8());
    hash.addData(m.attachmentData);
    QByteArray boundary = "=_orvik3_" + hash.result().toHex().left(24);
    while (m.body.contains(QString::fromLatin1(boundary))) {
        boundary += '_';
    }
    return boundary;
}

}  // namespace

QByteArray buildMimeMessage(const MailMessage& message, const QDateTime& date) {
    const QByteArray boundary = boundaryFor(message);
    QByteArray out;
    out += "To: " + headerValue(message.to) + '\n';
    out += "Subject: " + headerValue(message.subject) + '\n';
    out += "Date: " + date.toString(Qt::RFC2822Date).toLatin1() + '\n';
    out += "MIME-Version: 1.0\n";
    out += "Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\n\n";
    out += "This is a message in MIME format.\n";
    out += "--" + boundary + '\n' + bodyPart(message.body);
    out += "--" + boundary + '\n' + attachmentPart(message);
    out += "--" + boundary + "--\n";
    return out;
}

SendmailTransport::SendmailTransport(QString program, int timeoutMs)
    : program_(std::move(program)), timeoutMs_(timeoutMs) {}

QString SendmailTransport::findSendmail() {
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("sendmail"));
    if (!onPath.isEmpty()) {
        return onPath;
    }
    return QStandardPaths::findExecutable(
        QStringLiteral("sendmail"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/lib")});
}

bool SendmailTransport::send(const MailMessage& message) {
    const QString program = program_.isEmpty() ? findSendmail() : program_;
    if (program.isEmpty() || oneLine(message.to).trimmed().isEmpty()) {
        return false;
    }
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, {QStringLiteral("-t"), QStringLiteral("-oi")});
    if (!process.waitForStarted(timeoutMs_)) {
        return false;
    }
    process.write(buildMimeMessage(message));
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs_)) {
        process.kill();
        process.waitForFinished(1000);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}
