#pragma once
// A small RTF writer for styled runs of text: font table, sizes, bold and underline, paragraph
// breaks, and \uN with a Windows-1252 fallback byte for every character beyond ASCII.

#include <QByteArray>

#include "status/SetupReport.h"

// The whole RTF document. CR LF, a lone CR or a lone LF each end a paragraph; tabs stay tabs.
QByteArray writeRtf(const StyledRuns& runs);
