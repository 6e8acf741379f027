#include "status/SetupReport.h"

#include <QLocale>

#include "status/StatusRecord.h"

namespace {

const QString kEol = QStringLiteral("\r\n");

class ReportWriter {
  public:
    void line(const QString& text = QString()) { text_ += text + kEol; }
    void blank() { text_ += kEol; }
    QString take() { return std::move(text_); }

  private:
    QString text_;
};

QString num(int64_t value) {
    return QString::number(value);
}

QString readingText(const std::optional<double>& value, const QString& unit) {
    return value ? oneDecimalText(*value) + unit : QStringLiteral("Reading not specified");
}

void writeHeader(ReportWriter& w, const StatusRecord& r, const QDateTime& now) {
    w.line(QStringLiteral("Orvik\u00ae3 Camera Setup Summary"));
    w.blank();
    w.line(QStringLiteral("Date:\t") + reportDateText(now));
    w.blank();
    w.blank();
    w.line(QStringLiteral("Serial Number: ") +
           serialNumberShown(r.CameraSerialNumber, r.SerialNumberText));
    w.blank();
}

void writeVersionsAndRunTime(ReportWriter& w, const StatusRecord& r) {
    w.line(QStringLiteral("Camera Micro Version:           = ") + r.MicroVersionText);
    w.line(QStringLiteral("Camera FPGA Version:            = ") + r.CameraFpgaVersionText);
    w.line(QStringLiteral("Camera Lens FPGA Version        = ") + r.LensFpgaVersionText);
    w.blank();
    w.line(QStringLiteral("Sensor Selected:                = ") + r.SensorKit);
    w.line(QStringLiteral("NTSC or PAL:                    = ") + r.VideoStandardText);
    w.blank();
    w.line(QStringLiteral("Camera Run Time (Hours):        = ") + num(r.RunTimeHours) + " Hrs");
    w.line(QStringLiteral("Camera Run Time (Mins):         = ") + num(r.RunTimeMinutes) + " Mins");
    w.blank();
}

void writeEnvironment(ReportWriter& w, const StatusRecord& r) {
    const QString degrees = QStringLiteral(" \u00b0C");
    w.line(QStringLiteral("Humidity state:                 = ") +
           (r.HumidityAlarmEnabled ? "Enabled" : "Disabled"));
    w.line(QStringLiteral("Max Humidity Level (EVER):      = ") + num(r.MaxHumidityPercent) + " %");
    w.line(QStringLiteral("Humidity reading now:           = ") +
           readingText(r.HumidityNowPercent, QStringLiteral(" %")));
    w.blank();
    w.line(QStringLiteral("Max Heatsink Temperature (EVER):= ") +
           oneDecimalText(r.MaxHeatsinkCelsius) + degrees);
    w.line(QStringLiteral("Heatsink reading now:           = ") +
           readingText(r.HeatsinkNowCelsius, degrees));
}

void writeGainAndDisplay(ReportWriter& w, const StatusRecord& r) {
    if (r.SensorKit == QLatin1String("BST 200") || r.SensorKit == QLatin1String("BST 205")) {
        w.blank();
        w.line(QStringLiteral("Gain Settings:                  = ") + num(r.GainValue));
        w.line(QStringLiteral("Offset Settings:                = ") + num(r.OffsetValue));
    } else {
        w.line(QStringLiteral("Gain Settings:                  = BST Only "));
        w.line(QStringLiteral("Offset Settings:                = BST Only "));
    }
    w.blank();
    w.line(QStringLiteral("LCD colour value:               = ") + num(r.LcdColour));
    w.line(QStringLiteral("LCD brightness value:           = ") + num(r.LcdBrightness));
    w.line(QStringLiteral("LCD contrast:                   = ") + num(r.LcdContrast));
    w.blank();
    w.line(QStringLiteral("Iris Pulse Width settings:      = ") + num(r.IrisPulseWidthValue));
    w.blank();
    w.line(QStringLiteral("Cold Starts:                    = ") + num(r.ColdStartCount));
    w.line(QStringLiteral("Warm Starts:                    = ") + num(r.WarmStartCount));
    w.blank();
}

void writeSettings(ReportWriter& w, const StatusRecord& r) {
    w.line(QStringLiteral("Factory Amb temp setting:       = ") +
           onOffText(r.FactoryAmbientSensor));
    w.line(QStringLiteral("Factory Spot temp setting:      = ") + onOffText(r.FactorySpotSensor));
    w.line(QStringLiteral("Factory Tx Settings:            = ") + onOffText(r.FactoryTransmitter));
    w.line(QStringLiteral("Factory Tx number of channels:  = ") + num(r.TxChannelCount));
    w.blank();
    w.line(QStringLiteral("Customer Zoom Settings:         = ") + onOffText(r.CustomerZoom));
    w.line(QStringLiteral("Customer Time/Date Settings:    = ") + onOffText(r.CustomerTimeDate));
    w.line(QStringLiteral("Customer Amb Sensor Settings:   = ") +
           onOffText(r.CustomerAmbientDisplay));
    w.line(QStringLiteral("Customer Spot Sensor Settings:  = ") + onOffText(r.CustomerSpotDisplay));
    w.line(QStringLiteral("Customer Tx on/ off state:      = ") + onOffText(r.CustomerTransmitter));
    w.blank();
    w.line(QStringLiteral("Picture colouration:            = ") + r.ColourationText);
    w.blank();
    w.line(QStringLiteral("Custom splash screen state:     = ") + onOffText(r.CustomSplashScreen));
    w.line(QStringLiteral("Number of pictures stored:      = ") + num(r.StoredImageCount));
    w.blank();
    w.line(QStringLiteral("Temperture units:               = Degrees ") + r.TempUnitText);
    w.blank();
    w.line(QStringLiteral("Warning error:                  = ") + r.WarningText);
    w.blank();
}

void writeThresholds(ReportWriter& w, const StatusRecord& r) {
    w.line(QStringLiteral("Humidity ADC on threshold:                 = ") +
           num(r.HumidityOnThreshold));
    w.line(QStringLiteral("Humidity ADC off threshold:                = ") +
           num(r.HumidityOffThreshold));
    w.blank();
    w.line(QStringLiteral("Over temperature ADC low on threshold:     = ") +
           num(r.OverTempLowOnThreshold));
    w.line(QStringLiteral("Over temperature ADC low off threshold:    = ") +
           num(r.OverTempLowOffThreshold));
    w.line(QStringLiteral("Over temperature ADC high on threshold:    = ") +
           num(r.OverTempHighOnThreshold));
    w.line(QStringLiteral("Over temperature ADC high off threshold:   = ") +
           num(r.OverTempHighOffThreshold));
}

// A style applied to `length` characters from `start`, over the text's base style.
struct StyleSpan {
    int start;
    int length;
    TextStyle style;
};

// The title is the first 28 characters and the date line is styled as the 29 characters from
// offset 31 (counting CR LF as two), so both spans hold on every report.
constexpr int kTitleLength = 28;
constexpr int kDateStart = 31;
constexpr int kDateLength = 29;

StyledRuns styleText(const QString& text, const TextStyle& base, const StyleSpan (&spans)[2]) {
    std::vector<const TextStyle*> styles(text.size(), &base);
    for (const StyleSpan& span : spans) {
        for (int i = span.start; i < span.start + span.length && i < text.size(); ++i) {
            styles[i] = &span.style;
        }
    }
    StyledRuns runs;
    for (int i = 0; i < text.size(); ++i) {
        // A run never ends between CR and LF, so each run inserts as whole lines.
        const bool splitsLineEnd = i > 0 && text[i] == u'\n' && text[i - 1] == u'\r';
        if (runs.empty() || (!(runs.back().style == *styles[i]) && !splitsLineEnd)) {
            runs.push_back({QString(), *styles[i]});
        }
        runs.back().text += text[i];
    }
    return runs;
}

}  // namespace

QString setupReportText(const StatusRecord& record, const QDateTime& now) {
    ReportWriter w;
    writeHeader(w, record, now);
    writeVersionsAndRunTime(w, record);
    writeEnvironment(w, record);
    writeGainAndDisplay(w, record);
    writeSettings(w, record);
    writeThresholds(w, record);
    return w.take();
}

QString reportDateText(const QDateTime& now) {
    return QLocale::c().toString(now, QStringLiteral("MMM/dd/yyyy, HH:mm:ss"));
}

QString oneDecimalText(double value) {
    QString text = QString::number(value, 'f', 1);
    if (text.endsWith(QLatin1String(".0"))) {
        text.chop(2);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

StyledRuns reportScreenRuns(const QString& reportText) {
    const TextStyle base{QStringLiteral("Courier New"), 8.5, false, false};
    const StyleSpan spans[2] = {
        {0, kTitleLength, {QStringLiteral("Tahoma"), 18.0, true, true}},
        {kDateStart, kDateLength, {QStringLiteral("Tahoma"), 10.0, true, false}}};
    return styleText(reportText, base, spans);
}

QString reportOutputText(const QString& reportText, const QString& comments) {
    if (comments.isEmpty()) {
        return reportText;
    }
    QString lines = comments;
    lines.replace(kEol, QStringLiteral("\n")).replace(u'\r', u'\n').replace(u'\n', kEol);
    return reportText + kEol + kEol + QStringLiteral("Comments:") + kEol + lines;
}

StyledRuns reportOutputRuns(const QString& outputText) {
    const TextStyle base{QStringLiteral("Courier New"), 12.0, true, false};
    const StyleSpan spans[2] = {
        {0, kTitleLength, {QStringLiteral("Tahoma"), 24.0, true, false}},
        {kDateStart, kDateLength, {QStringLiteral("Tahoma"), 12.0, true, false}}};
    return styleText(outputText, base, spans);
}

QString plainText(const StyledRuns& runs) {
    QString text;
    for (const StyledRun& run : runs) {
        text += run.text;
    }
    return text;
}

QString reportMailBody(int32_t cameraSerialNumber) {
    return QStringLiteral("To whom it may concern, ") + QStringLiteral("camera ") +
           QString::number(cameraSerialNumber) + QStringLiteral(" has failed.") +
           QStringLiteral(" Please find a status report attached.");
}

QString reportMailSentText() {
    return QStringLiteral(
        "The cameras stauts report has been emailed, to the Orvik 3 repair centre.");
}

QString reportMailFallbackText(const QString& repairCentreAddress) {
    return QStringLiteral(
               "Emailing the status report was not possible, due to the way your email system "
               "works. Save the status report and email it to ") +
           repairCentreAddress;
}
