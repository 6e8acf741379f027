// The Camera Setup Summary's three ways out: "Save Report", "Print" and "Email report". Each
// first puts the report and the comments together in RichTextBox3.
#include <QFile>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>

#include "app/Dialogs.h"
#include "app/FileSave.h"
#include "app/Mail.h"
#include "app/SharedState.h"
#include "camera/AppContext.h"
#include "forms/Orvik3MainForm.h"
#include "forms/ReportView.h"
#include "status/RtfWriter.h"

namespace {

enum ReportFilter { TextFilter = 1, RichTextFilter = 2 };

// A printer that would take the pages and show nothing: no file to print to and no device.
bool printsNowhere(const QPrinter& printer) {
    if (!printer.outputFileName().isEmpty()) return false;
    return printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty() ||
           !printer.isValid();
}

}  // namespace

StyledRuns Orvik3_main_frm::assembleOutput() {
    const StyledRuns runs = reportOutputRuns(
        reportOutputText(boxText(ui.RichTextBox1), ui.RichTextBox2->toPlainText()));
    putRuns(ui.RichTextBox3, runs);
    ui.RichTextBox3->moveCursor(QTextCursor::End);
    return runs;
}

void Orvik3_main_frm::cmdSaveReport_Click() {
    const StyledRuns runs = assembleOutput();
    const std::optional<FileChoice> choice = ctx_.dialogs.saveFile(
        {"Save Report", QString::fromLatin1(kReportSaveFilter), RichTextFilter, QString()});
    ui.RichTextBox3->clear();
    if (!choice || choice->path.isEmpty()) return;  // cancelled
    QByteArray bytes;
    if (choice->filterIndex == TextFilter) {
        bytes = plainText(runs).toUtf8();
    } else if (choice->filterIndex == RichTextFilter) {
        bytes = writeRtf(runs);
    } else {
        ctx_.dialogs.message("Unknown file type!!", "Error", MsgIcon::Critical);
        return;
    }
    // Written beside the target and renamed over it: a failed save leaves the old file whole.
    QString why;
    if (!saveWholeFile(choice->path, bytes, &why)) {
        ctx_.dialogs.message(
            QString("The report could not be saved to %1: %2").arg(choice->path, why),
            "Orvik 3: Error", MsgIcon::Exclamation);
        return;
    }
    ctx_.state.ReportFilePath = choice->path;
    ctx_.state.ReportSaved = true;
}

void Orvik3_main_frm::cmdPrintReport_Click() {
    assembleOutput();
    QPrinter printer;
    if (ctx_.dialogs.choosePrinter(printer)) {
        if (printsNowhere(printer))
            ctx_.dialogs.message("No printer is available; the report was not printed.",
                                 "Orvik 3: Error", MsgIcon::Exclamation);
        else
            ui.RichTextBox3->document()->print(&printer);
    }
    ui.RichTextBox3->clear();
}

void Orvik3_main_frm::Email_report_btn_Click() {
    const QString text = plainText(assembleOutput());
    ui.RichTextBox3->clear();
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
    MailMessage message{ctx_.repairCentreAddress, QString::fromLatin1(kReportMailSubject),
                        reportMailBody(ctx_.state.CameraSerialNumber),
                        QString::fromLatin1(kReportMailFileName), QByteArray()};
    if (written) {
        ctx_.state.ReportFilePath = path;
        ctx_.state.ReportSaved = true;
        QFile saved(path);
        if (saved.open(QIODevice::ReadOnly)) message.attachmentData = saved.readAll();
    }
    if (!written || !ctx_.mail.send(message)) {
        ctx_.dialogs.message(reportMailFallbackText(ctx_.repairCentreAddress), "Orvik 3",
                             MsgIcon::None);
        return;
    }
    ctx_.dialogs.message(reportMailSentText(), "Orvik 3", MsgIcon::Exclamation);
}
