#include "forms/ReportView.h"

#include <QFont>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace {

QTextCharFormat formatOf(const TextStyle& style) {
    QTextCharFormat f;
    f.setFontFamilies({style.family});
    f.setFontPointSize(style.pointSize);
    f.setFontWeight(style.bold ? QFont::Bold : QFont::Normal);
    f.setFontUnderline(style.underline);
    return f;
}

}  // namespace

void putRuns(QTextEdit* box, const StyledRuns& runs) {
    box->clear();
    QTextCursor cursor(box->document());
    for (const StyledRun& run : runs) {
        QString text = run.text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        cursor.insertText(text, formatOf(run.style));
    }
    cursor.movePosition(QTextCursor::Start);
    box->setTextCursor(cursor);
}

void showScreenReport(QTextEdit* box, const QString& reportText) {
    putRuns(box, reportScreenRuns(reportText));
}

void setCommentsFont(QTextEdit* box) {
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(8.5);
    box->setCurrentFont(font);
    QTextCursor all(box->document());
    all.select(QTextCursor::Document);
    QTextCharFormat f;
    f.setFont(font);
    all.mergeCharFormat(f);
}

QString boxText(const QTextEdit* box) {
    QString text = box->toPlainText();
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}
