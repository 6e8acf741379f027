#pragma once
// The Camera Setup Summary's ways out: the text that is saved, printed or mailed (the report and
// the comments), its save as text or rich text, and its hand-off to the mail transport.

#include <QString>

#include "camera/Outcome.h"
#include "status/SetupReport.h"

class MailTransport;

namespace camera {

class Camera;

// The "Save Report" filter indexes.
enum ReportFilter { TextFilter = 1, RichTextFilter = 2 };

// The output's styled runs from the report as shown and the comments.
StyledRuns reportOutput(const QString& reportText, const QString& comments);

// Writes the runs as text (filter 1) or RTF (filter 2); any other filter is an "Unknown file
// type!!". A file that cannot be written is reported; the previous file stays whole. On success
// the shared report path is set.
Outcome saveReport(Camera& camera, const QString& path, int filterIndex, const StyledRuns& runs);

// Mails the text to the repair centre as an attachment, written first to a private temporary
// file. When that or the transport fails, the designed fall-back message tells what to do.
Outcome mailReport(Camera& camera, MailTransport& mail, const QString& repairCentreAddress,
                   const QString& text);

}  // namespace camera
