#include "camera/Report.h"

#include <QFile>
#include <QTemporaryDir>

#include "app/FileSave.h"
#include "app/Mail.h"
#include "app/SharedState.h"
#include "camera/Camera.h"
#include "status/RtfWriter.h"

namespace camera {

StyledRuns reportOutput(const QString& reportText, const QString& comments) {
    return reportOutputRuns(reportOutputText(reportText, comments));
}

Outcome saveReport(Camera& camera, const QString& path, int filterIndex, const StyledRuns& runs) {
    Outcome out;
    QByteArray bytes;
    if (filterIndex == TextFilter)
        bytes = plainText(runs).toUtf8();
    else if (filterIndex == RichTextFilter)
        bytes = writeRtf(runs);
    else
        return out.fail({"Unknown file type!!", "Error", MsgIcon::Critical});
    // Written beside the target and renamed over it: a failed save leaves the old file whole.
    QString why;
    if (!saveWholeFile(path, bytes, &why))
        return out.fail({QString("The report could not be saved to %1: %2").arg(path, why),
                         "Orvik 3: Error", MsgIcon::Exclamation});
    camera.state().ReportFilePath = path;
    camera.state().ReportSaved = true;
    return out;
}

Outcome mailReport(Camera& camera, MailTransport& mail, const QString& repairCentreAddress,
                   const QString& text) {
    SharedState& s = camera.state();
    // A private folder, removed with everything in it when this ends.
    QTemporaryDir folder;
    const QString path = folder.filePath(QString::fromLatin1(kReportMailFileName));
    // Readable by this user only, like the folder: the report names the camera and its owner.
    QFile file(path);
    const QByteArray bytes = text.toUtf8();
    const bool written = folder.isValid() &&
                         file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                                   QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
                         file.write(bytes) == bytes.size() && file.flush();
    file.close();
    MailMessage message{repairCentreAddress, QString::fromLatin1(kReportMailSubject),
                        reportMailBody(s.CameraSerialNumber),
                        QString::fromLatin1(kReportMailFileName), QByteArray()};
    if (written) {
        s.ReportFilePath = path;
        s.ReportSaved = true;
        QFile saved(path);
        if (saved.open(QIODevice::ReadOnly)) message.attachmentData = saved.readAll();
    }
    Outcome out;
    if (!written || !mail.send(message))
        return out.fail({reportMailFallbackText(repairCentreAddress), "Orvik 3", MsgIcon::None});
    return out.tell({reportMailSentText(), "Orvik 3", MsgIcon::Exclamation});
}

}  // namespace camera
