#include "cli/CommandLinePictures.h"

#include <unistd.h>

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPushButton>
#include <QTextStream>

#include "app/FileSave.h"
#include "app/SharedState.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleDialogs.h"
#include "forms/Program.h"
#include "forms/DownloadImageTab.h"
#include "images/InfoStrip.h"
#include "images/Palettes.h"
#include "link/Packet.h"

namespace {

using Kind = PictureCommand::Kind;
using Target = PictureCommand::Target;

// Options of the common parser that take a value: their values are not command words.
const QStringList kCommonValued = {"--port", "--speed", "--repair-centre",
                                   "--save", "--at",    "--trace"};
const QStringList kOwnValued = {"--palette", "--out", "--format"};

std::optional<Kind> kindOf(const QString& word) {
    if (word == "pictures") return Kind::Count;
    if (word == "download") return Kind::Download;
    if (word == "delete") return Kind::Delete;
    if (word == "store") return Kind::Store;
    return std::nullopt;
}

int commandWordAt(const QStringList& args) {
    for (int i = 0; i < args.size(); ++i) {
        if (kCommonValued.contains(args[i]) || kOwnValued.contains(args[i]))
            ++i;
        else if (kindOf(args[i]))
            return i;
    }
    return -1;
}

QString takeTarget(PictureCommand& c, const QString& word) {
    if (word == "all")
        c.target = Target::All;
    else if (word == "splash" && c.kind == Kind::Download)
        c.target = Target::Splash;
    else {
        bool ok = false;
        c.number = word.toInt(&ok);
        if (!ok || c.number < 1 || c.number > images::kLastPictureNumber)
            return c.kind == Kind::Download
                       ? "download takes a picture number 1 to 26, splash or all"
                       : "delete takes a picture number 1 to 26 or all";
    }
    return {};
}

QString takeOwnOptions(PictureCommand& c, QStringList& args) {
    for (int i = 0; i < args.size();) {
        const QString a = args[i];
        if (kCommonValued.contains(a)) {
            i += 2;
            continue;
        }
        if (a == "--force" || a == "--yes") {
            (a == "--force" ? c.force : c.yes) = true;
            args.removeAt(i);
            continue;
        }
        if (!kOwnValued.contains(a)) {
            ++i;
            continue;
        }
        if (i + 1 >= args.size()) return a + " needs a value";
        const QString v = args[i + 1];
        args.remove(i, 2);
        if (a == "--palette")
            c.palette = v;
        else if (a == "--out")
            c.out = v;
        else
            c.format = v.toLower();
    }
    return {};
}

// The colour-list entry a --palette name means; the first, grey scale white hot, for none.
const images::ColourChoice* colourChoice(const QString& name) {
    if (name.isEmpty()) return &images::kColouriseChoices[0];
    for (const images::ColourChoice& choice : images::kColouriseChoices)
        if (name.compare(QLatin1String(choice.text), Qt::CaseInsensitive) == 0) return &choice;
    return nullptr;
}

bool knownPalette(const QString& name) {
    return colourChoice(name) != nullptr;
}

QString checkOptions(PictureCommand& c) {
    const bool download = c.kind == Kind::Download;
    if (!download && (!c.palette.isEmpty() || !c.out.isEmpty() || !c.format.isEmpty() || c.force))
        return "--palette, --out, --format and --force belong to the download command";
    if (c.yes && c.kind != Kind::Delete) return "--yes belongs to the delete command";
    if (c.kind == Kind::Delete && !c.yes) return "delete cannot be undone: confirm it with --yes";
    if (!c.palette.isEmpty() && !knownPalette(c.palette))
        return "--palette takes a name of the colour list, e.g. \"Red hot, white\"";
    if (c.format.isEmpty()) {
        const QString suffix = QFileInfo(c.out).suffix().toLower();
        c.format = suffix == "png" || suffix == "csv" ? suffix : "bmp";
    }
    if (c.format != "bmp" && c.format != "png" && c.format != "csv")
        return "--format takes bmp, png or csv";
    return {};
}

}  // namespace

std::optional<PictureCommand> takePictureCommand(QStringList& args, QString& error) {
    const int at = commandWordAt(args);
    if (at < 0) return std::nullopt;
    PictureCommand c;
    c.kind = *kindOf(args[at]);
    const QString word = args.takeAt(at);
    if (c.kind == Kind::Download || c.kind == Kind::Delete) {
        if (at >= args.size() || args[at].startsWith("-")) {
            error = word + " needs a picture: a number, " +
                    (c.kind == Kind::Download ? "splash or all" : "or all");
            return c;
        }
        error = takeTarget(c, args.takeAt(at));
    }
    if (error.isEmpty()) error = takeOwnOptions(c, args);
    if (error.isEmpty()) error = checkOptions(c);
    return c;
}

QString pictureUsageText() {
    return QStringLiteral(
        "  pictures                   connect and print how many pictures the camera holds\n"
        "  download N|splash|all [--palette NAME] [--out PATH] [--format bmp|png|csv]\n"
        "           [--force]         save pictures as the screen shows them, strip included;\n"
        "                             NAME is an entry of the colour list (\"Red hot, white\");\n"
        "                             csv writes the 320 x 240 pixel values, one row a line,\n"
        "                             after '#' lines with the header fields and the palette;\n"
        "                             all saves 1 to the stored count into the folder PATH as\n"
        "                             picture-NN.bmp (.png, .csv); a picture already saved is\n"
        "                             skipped unless --force\n"
        "  delete N|all --yes         delete one stored picture, or all of them\n"
        "  store                      make the camera store a picture now\n");
}

namespace {

QTextStream& out() {
    static QTextStream s(stdout);
    return s;
}

QTextStream& err() {
    static QTextStream s(stderr);
    return s;
}

// A one-line progress bar on a terminal: percent, packets, rate and time left.
class ProgressLine {
  public:
    explicit ProgressLine(QString label) : label_(std::move(label)) {}
    void update(bool visible, int packets) {
        if (!visible) return finish();
        if (!drawn_) clock_.start();
        if (drawn_ && packets % 16 != 0 && packets != images::kPicturePackets) return;
        drawn_ = true;
        const double seconds = clock_.elapsed() / 1000.0;
        const double rate = seconds > 0 ? packets / seconds : 0;
        const int left = rate > 0 ? int((images::kPicturePackets - packets) / rate + 0.5) : 0;
        const int percent = packets * 100 / images::kPicturePackets;
        const int filled = percent / 5;
        err() << '\r' << label_ << " [" << QString(filled, '#') << QString(20 - filled, '-') << "] "
              << qSetFieldWidth(3) << percent << qSetFieldWidth(0) << "%  " << packets << "/"
              << images::kPicturePackets << " packets  " << int(rate) << " packets/s  " << left / 60
              << ":" << QString::number(left % 60).rightJustified(2, '0') << " left " << Qt::flush;
    }
    void finish() {
        if (drawn_) err() << Qt::endl;
        drawn_ = false;
    }

  private:
    QString label_;
    QElapsedTimer clock_;
    bool drawn_ = false;
};

images::DownloadImageTab& tabOf(Program& p) {
    return *p.advanced.imageTab;
}

// The count as the viewer takes it: asked for with new firmware, from a status read with old.
int storedCount(Program& p) {
    if (p.state.NewFirmware)
        tabOf(p).queryImageCount();
    else
        p.advanced.ReadCameraStatus(false);
    return p.state.StoredImageCount;
}

QString pictureName(int number, const QString& format) {
    const QString base = number == 0 ? QStringLiteral("splash")
                                     : QString("picture-%1").arg(number, 2, 10, QChar('0'));
    return base + "." + format;
}

QString outputPath(const PictureCommand& c, int number) {
    const QString name = pictureName(number, c.format);
    if (c.out.isEmpty()) return name;
    const bool folder = c.target == Target::All || c.out.endsWith('/') || QFileInfo(c.out).isDir();
    if (!folder) return c.out;
    QDir().mkpath(c.out);
    return QDir(c.out).filePath(name);
}

bool savePng(const QImage& image, const QString& path) {
    QByteArray png;
    QBuffer buffer(&png);
    return buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG") &&
           saveWholeFile(path, png);
}

QString paletteColours(int paletteNumber) {
    QStringList colours;
    if (const auto palette = images::LoadImagePalette(paletteNumber))
        for (const images::PaletteEntry& e : *palette)
            colours << QString("%1 %2 %3").arg(e.red).arg(e.green).arg(e.blue);
    return colours.join(',');
}

// The picture as numbers for analysis elsewhere: '#' lines with what its strip says, the raw
// header fields and the palette, then one line of comma-separated pixel values per row.
QByteArray pictureCsv(const images::HeldPicture& held, int number, const QString& palette) {
    const images::ColourChoice& choice = *colourChoice(palette);
    const images::StripTexts strip =
        images::InfoStripTexts(held.header, {held.newFirmware, held.tempUnitText});
    QStringList fields;
    for (std::int16_t field : held.header) fields << QString::number(field);
    QString head;
    QTextStream(&head) << "# Orvik 3 "
                       << (number == 0 ? "splash picture" : "picture " + QString::number(number))
                       << "\n# clock: " << strip.clock << "\n# date: " << strip.date
                       << "\n# battery: " << strip.batteryCells << " of 6"
                       << "\n# spot: " << strip.spot.trimmed()
                       << "\n# ambient: " << strip.ambient.trimmed()
                       << "\n# header fields d1 to d21: " << fields.join(',')
                       << "\n# palette: " << choice.text << " (table entry " << choice.palette
                       << ")"
                       << "\n# palette colours (red green blue) for values 0 to 255: "
                       << paletteColours(choice.palette) << "\n# " << kImageWidth << " x "
                       << kImageHeight << " pixel values, top row first\n";
    QByteArray csv = head.toUtf8();
    csv.reserve(csv.size() + kImagePixels * 4);
    for (int row = 0; row < kImageHeight; ++row) {
        for (int col = 0; col < kImageWidth; ++col) {
            if (col) csv += ',';
            csv += QByteArray::number(held.pixels[row * kImageWidth + col]);
        }
        csv += '\n';
    }
    return csv;
}

bool save(Program& p, ConsoleDialogs& dialogs, const PictureCommand& c, const QString& path,
          int number) {
    images::DownloadImageTab& tab = tabOf(p);
    if (c.format == "csv")
        return saveWholeFile(path, pictureCsv(images::HoldPicture(p.state), number, c.palette));
    if (c.format == "png") return savePng(tab.shownImage(), path);
    dialogs.files.push_back({path, 1});
    const int before = dialogs.messages;
    tab.ui.Image_save_btn->click();
    return dialogs.messages == before && QFileInfo::exists(path);
}

bool downloadOne(Program& p, ConsoleDialogs& dialogs, const PictureCommand& c, int number) {
    const QString path = outputPath(c, number);
    const QString what =
        number == 0 ? QString("the splash picture") : QString("picture %1").arg(number);
    if (QFileInfo::exists(path) && !c.force) {
        out() << "Skipped " << what << ": " << path << " is already saved" << Qt::endl;
        return true;
    }
    images::DownloadImageTab& tab = tabOf(p);
    tab.ui.ViewImage_combo->setCurrentIndex(number);
    ProgressLine line(what);
    auto before = p.indicator.progress;
    if (isatty(STDERR_FILENO))
        p.indicator.progress = [&](bool visible, int n) {
            if (before) before(visible, n);
            line.update(visible, n);
        };
    tab.ui.Download_image_->click();
    p.indicator.progress = before;
    line.finish();
    const images::TransferOutcome outcome = tab.lastOutcome();
    if (outcome != images::TransferOutcome::Complete &&
        outcome != images::TransferOutcome::Patched) {
        err() << "Orvik 3: " << what << " was not downloaded" << Qt::endl;
        return false;
    }
    if (!c.palette.isEmpty()) {
        tab.ui.Colourise_combo->setCurrentIndex(
            tab.ui.Colourise_combo->findText(c.palette, Qt::MatchFixedString));
        tab.ui.SelectColourPalette_btn->click();
    }
    if (!save(p, dialogs, c, path, number)) {
        err() << "Orvik 3: " << what << " could not be saved to " << path << Qt::endl;
        return false;
    }
    out() << "Saved " << what << " to " << path << Qt::endl;
    return true;
}

int download(Program& p, ConsoleDialogs& dialogs, const PictureCommand& c) {
    QList<int> numbers;
    if (c.target == Target::One)
        numbers << c.number;
    else if (c.target == Target::Splash)
        numbers << 0;
    else
        for (int n = 1, count = storedCount(p); n <= count; ++n) numbers << n;
    if (numbers.isEmpty()) out() << "The camera holds no pictures" << Qt::endl;
    bool allSaved = true;
    for (int n : numbers) allSaved = downloadOne(p, dialogs, c, n) && allSaved;
    return allSaved ? kExitOk : kExitNoAnswer;
}

int deletePictures(Program& p, const PictureCommand& c) {
    images::DownloadImageTab& tab = tabOf(p);
    const int before = storedCount(p);
    if (c.target == Target::All) {
        tab.ui.DeleteAllImages->click();
    } else {
        tab.ui.ViewImage_combo->setCurrentIndex(c.number);
        tab.ui.DeleteSelection_btn->click();
    }
    const int after = storedCount(p);
    out() << "Pictures stored: " << after << Qt::endl;
    const bool done = c.target == Target::All ? after == 0 : after == before - 1;
    if (!done) err() << "Orvik 3: the camera did not delete the picture" << Qt::endl;
    return done ? kExitOk : kExitNoAnswer;
}

int store(Program& p) {
    p.state.LastReply.clear();
    tabOf(p).ui.StoreImage->click();
    const bool stored = p.state.LastReply.contains(cameraAck());
    out() << "Pictures stored: " << storedCount(p) << Qt::endl;
    if (!stored) err() << "Orvik 3: the camera did not store a picture" << Qt::endl;
    return stored ? kExitOk : kExitNoAnswer;
}

}  // namespace

int runPictureCommand(Program& p, ConsoleDialogs& dialogs, const PictureCommand& c) {
    p.front.ConnectToCamera_btn->click();
    if (p.state.StatusCommsError) return kExitNoAnswer;
    p.front.DownloadImages_btn->click();  // "STORED IMAGES"
    switch (c.kind) {
        case Kind::Count:
            out() << "Pictures stored: " << storedCount(p) << Qt::endl;
            return kExitOk;
        case Kind::Download:
            return download(p, dialogs, c);
        case Kind::Delete:
            return deletePictures(p, c);
        case Kind::Store:
            return store(p);
    }
    return kExitUsage;
}
