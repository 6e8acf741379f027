#include "forms/StatusReportTab.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>

#include "camera/Report.h"
#include "forms/FormWidgets.h"
#include "forms/Orvik3MainForm.h"
#include "forms/ReportView.h"
#include "link/CommandTable.h"

namespace advanced {

namespace {

// A printer that would take the pages and show nothing: no file to print to and no device.
bool printsNowhere(const QPrinter& printer) {
    if (!printer.outputFileName().isEmpty()) return false;
    return printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty() ||
           !printer.isValid();
}

}  // namespace

StatusReportTab::StatusReportTab(Orvik3_main_frm& form, AppContext& context, camera::Camera& camera,
                                 Orvik3Controls& controls)
    : AdvancedTab(form, context, camera, controls) {
    auto* grid = new QGridLayout(this);
    grid->addWidget(makeLabel(this, "Status_report_Label", "Status report"), 0, 0);
    ui.RichTextBox1 = named(new QTextEdit(this), "RichTextBox1");
    ui.RichTextBox1->setLineWrapMode(QTextEdit::NoWrap);
    grid->addWidget(ui.RichTextBox1, 1, 0);
    grid->addWidget(makeLabel(this, "Comments_Label", "Comments"), 0, 1);
    ui.RichTextBox2 = named(new QTextEdit(this), "RichTextBox2");
    ui.RichTextBox2->setAcceptRichText(false);
    grid->addWidget(ui.RichTextBox2, 1, 1);
    ui.RichTextBox3 = named(new QTextEdit(this), "RichTextBox3");
    ui.RichTextBox3->hide();  // where the text to save, print or mail is put together

    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    ui.Status_report_request = makeButton(buttons, "Status_report_request", "Get report",
                                          "Download a status report from the camera");
    ui.cmdSaveReport = makeButton(buttons, "cmdSaveReport", "Save Report", "Save status report");
    ui.cmdPrintReport = makeButton(buttons, "cmdPrintReport", "Print", "Print status report");
    ui.Email_report_btn = makeButton(
        buttons, "Email_report_btn", "Email report",
        QStringLiteral("Email the cameras status report to the Orvik\u00ae3 service centre"));
    ui.Reset_IrisFPGA =
        makeButton(buttons, "Reset_IrisFPGA", "Reset",
                   "This re-sets the iris FPGA, to get the correct version number ");
    for (QPushButton* b : {ui.Status_report_request, ui.cmdSaveReport, ui.cmdPrintReport,
                           ui.Email_report_btn, ui.Reset_IrisFPGA})
        row->addWidget(b);
    grid->addWidget(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);

    on(ui.Status_report_request, &StatusReportTab::Status_report_request_Click);
    on(ui.cmdSaveReport, &StatusReportTab::cmdSaveReport_Click);
    on(ui.cmdPrintReport, &StatusReportTab::cmdPrintReport_Click);
    on(ui.Email_report_btn, &StatusReportTab::Email_report_btn_Click);
    connect(ui.Reset_IrisFPGA, &QPushButton::clicked, this,
            [this] { sendRow(camera::Rows::IrisNormal); });
}

void StatusReportTab::Status_report_request_Click() {
    if (busy()) return;
    form_.ReadCameraStatus(true);
    if (!ui.RichTextBox1->toPlainText().isEmpty()) {
        ui.cmdSaveReport->setEnabled(true);
        ui.cmdPrintReport->setEnabled(true);
    }
    camera::sendFixedRow(camera_, Row::StatusFollowUp);
}

StyledRuns StatusReportTab::assembleOutput() {
    const StyledRuns runs =
        camera::reportOutput(boxText(ui.RichTextBox1), ui.RichTextBox2->toPlainText());
    putRuns(ui.RichTextBox3, runs);
    ui.RichTextBox3->moveCursor(QTextCursor::End);
    return runs;
}

void StatusReportTab::cmdSaveReport_Click() {
    const StyledRuns runs = assembleOutput();
    const std::optional<FileChoice> choice = ctx_.dialogs.saveFile(
        {"Save Report", QString::fromLatin1(kReportSaveFilter), camera::RichTextFilter, QString()});
    ui.RichTextBox3->clear();
    if (!choice || choice->path.isEmpty()) return;  // cancelled
    show(camera::saveReport(camera_, choice->path, choice->filterIndex, runs));
}

void StatusReportTab::cmdPrintReport_Click() {
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

void StatusReportTab::Email_report_btn_Click() {
    const QString text = plainText(assembleOutput());
    ui.RichTextBox3->clear();
    show(camera::mailReport(camera_, ctx_.mail, ctx_.repairCentreAddress, text));
}

}  // namespace advanced
