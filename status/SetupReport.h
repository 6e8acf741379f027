#pragma once
// The "Camera Setup Summary": its text, built from a decoded status record, and its styling as
// runs of text, so a form can fill a QTextEdit and the RTF writer can save it.

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <vector>

struct StatusRecord;

struct TextStyle {
    QString family;
    double pointSize = 12.0;
    bool bold = false;       // emphasis A
    bool underline = false;  // emphasis B
    bool operator==(const TextStyle&) const = default;
};

struct StyledRun {
    QString text;
    TextStyle style;
};

using StyledRuns = std::vector<StyledRun>;

// The report, CR LF ending every line; `now` is the PC's date and time.
QString setupReportText(const StatusRecord& record, const QDateTime& now);

// "Dec/06/2024, 17:34:05": English month abbreviation, 24-hour clock.
QString reportDateText(const QDateTime& now);

// Numbers with at most one decimal, shortest form: 37.5, 80, -3.2.
QString oneDecimalText(double value);

// The report as shown after a read: Courier New 8.5; the title Tahoma 18 bold and underlined;
// the date line Tahoma 10 bold. No run ends between a CR and its LF, so each run can go into a
// QTextCursor::insertText() of its own without doubling a line break.
StyledRuns reportScreenRuns(const QString& reportText);

// The text that is saved, printed or mailed: the report, and the comments when there are any
// (their line ends become CR LF).
QString reportOutputText(const QString& reportText, const QString& comments);

// Styling of the saved, printed or mailed text: Courier New 12 bold; the title Tahoma 24 bold;
// the date line Tahoma 12 bold.
StyledRuns reportOutputRuns(const QString& outputText);

QString plainText(const StyledRuns& runs);

// Texts of the report's ways out.
inline constexpr char kReportSaveFilter[] =
    "Text Document (*.txt)|*.txt|Rich Text Format (*.rtf)|*.rtf";
inline constexpr char kReportMailSubject[] = "Camera Failure Status Report";
inline constexpr char kReportMailFileName[] = "TestEmailStatusReport";
QString reportMailBody(int32_t cameraSerialNumber);
QString reportMailSentText();
QString reportMailFallbackText(const QString& repairCentreAddress);
