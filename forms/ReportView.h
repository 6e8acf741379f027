#pragma once
// Putting the setup summary's styled runs into a rich-text box and reading a box's text back
// with the report's CR LF line ends.

#include <QString>

#include "status/SetupReport.h"

class QTextEdit;

// Replaces the box's contents by the runs; the caret ends at the start.
void putRuns(QTextEdit* box, const StyledRuns& runs);
// The report as shown after a read.
void showScreenReport(QTextEdit* box, const QString& reportText);
// The comments box's font: Courier New 8.5.
void setCommentsFont(QTextEdit* box);
// The box's text with CR LF ending each line.
QString boxText(const QTextEdit* box);
