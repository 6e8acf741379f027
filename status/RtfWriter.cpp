#include "status/RtfWriter.h"

#include <QStringList>
#include <cmath>
#include <optional>

namespace {

// Windows-1252 bytes 0x80 to 0x9F; 0 where the code page has no character.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The byte an RTF reader without Unicode support shows instead: the Windows-1252 byte, or '?'.
int fallbackByte(char16_t c) {
    if (c >= 0xA0 && c <= 0xFF) {
        return c;
    }
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] != 0 && kCp1252High[i] == c) {
            return 0x80 + i;
        }
    }
    return '?';
}

class RtfBody {
  public:
    explicit RtfBody(QByteArray& out) : out_(out) {}

    void text(const QString& text) {
        for (const QChar qc : text) {
            character(qc.unicode());
        }
    }

  private:
    void character(char16_t c) {
        const bool afterCr = afterCr_;
        afterCr_ = c == u'\r';
        if (c == u'\r' || c == u'\n') {
            if (!(c == u'\n' && afterCr)) {
                out_ += "\\par\n";
            }
        } else if (c == u'\t') {
            out_ += "\\tab ";
        } else if (c == u'\\' || c == u'{' || c == u'}') {
            out_ += '\\';
            out_ += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out_ += static_cast<char>(c);
        } else if (c >= 0x80) {
            unicode(c);
        }  // other control characters have no place in the text
    }

    void unicode(char16_t c) {
        out_ += "\\u" + QByteArray::number(static_cast<int16_t>(c));
        const int fallback = fallbackByte(c);
        if (fallback == '?') {
            out_ += '?';
        } else {
            out_ += "\\'" + QByteArray::number(fallback, 16).rightJustified(2, '0');
        }
    }

    QByteArray& out_;
    bool afterCr_ = false;
};

class RtfDocument {
  public:
    explicit RtfDocument(const StyledRuns& runs) {
        for (const StyledRun& run : runs) {
            if (!fonts_.contains(run.style.family)) {
                fonts_.append(run.style.family);
            }
        }
        if (fonts_.isEmpty()) {
            fonts_.append(QStringLiteral("Courier New"));
        }
    }

    QByteArray write(const StyledRuns& runs) {
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n";
        writeFontTable(out);
        out += "\\pard\\plain\n";
        RtfBody body(out);
        for (const StyledRun& run : runs) {
            switchStyle(out, run.style);
            body.text(run.text);
        }
        out += "}\n";
        return out;
    }

  private:
    void writeFontTable(QByteArray& out) const {
        out += "{\\fonttbl";
        for (int i = 0; i < fonts_.size(); ++i) {
            QByteArray name;
            RtfBody(name).text(fonts_[i]);
            out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 " + name + ";}";
        }
        out += "}\n";
    }

    // Writes only what differs from the style in force.
    void switchStyle(QByteArray& out, const TextStyle& style) {
        QByteArray words;
        const TextStyle* was = current_ ? &*current_ : nullptr;
        if (!was || was->family != style.family) {
            words += "\\f" + QByteArray::number(fonts_.indexOf(style.family));
        }
        const long halfPoints = std::lround(style.pointSize * 2.0);
        if (!was || std::lround(was->pointSize * 2.0) != halfPoints) {
            words += "\\fs" + QByteArray::number(static_cast<qlonglong>(halfPoints));
        }
        if (!was || was->bold != style.bold) {
            words += style.bold ? "\\b" : "\\b0";
        }
        if (!was || was->underline != style.underline) {
            words += style.underline ? "\\ul" : "\\ulnone";
        }
        if (!words.isEmpty()) {
            out += words + ' ';
        }
        current_ = style;
    }

    QStringList fonts_;
    std::optional<TextStyle> current_;
};

}  // namespace

QByteArray writeRtf(const StyledRuns& runs) {
    return RtfDocument(runs).write(runs);
}
