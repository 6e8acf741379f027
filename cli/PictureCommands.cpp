// The picture commands: count, download, delete and store, on the camera operations.
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QTextStream>

#include "app/LinkObserver.h"
#include "app/Wait.h"
#include "camera/Camera.h"
#include "camera/Pictures.h"
#include "camera/Recording.h"
#include "cli/Commands.h"
#include "cli/JsonOutput.h"
#include "images/Palettes.h"

namespace {

using Kind = PictureCommand::Kind;
using Target = PictureCommand::Target;

// A one-line progress bar on a terminal: percent, packets, rate and time left.
class ProgressLine {
  public:
    ProgressLine(QTextStream& err, QString label) : err_(err), label_(std::move(label)) {}
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
        err_ << '\r' << label_ << " [" << QString(filled, '#') << QString(20 - filled, '-') << "] "
             << qSetFieldWidth(3) << percent << qSetFieldWidth(0) << "%  " << packets << "/"
             << images::kPicturePackets << " packets  " << int(rate) << " packets/s  " << left / 60
             << ":" << QString::number(left % 60).rightJustified(2, '0') << " left " << Qt::flush;
    }
    void finish() {
        if (drawn_) err_ << Qt::endl;
        drawn_ = false;
    }

  private:
    QTextStream& err_;
    QString label_;
    QElapsedTimer clock_;
    bool drawn_ = false;
};

// During a transfer: the progress line on a terminal and the health line at its end, passing
// everything on to whoever watched before.
class TransferPrinter : public ChainedObserver {
  public:
    TransferPrinter(CliRun& run, const QString& what)
        : ChainedObserver(run.camera.engine()),
          run_(run),
          line_(run.err, what),
          terminal_(isatty(STDERR_FILENO)) {}
    ~TransferPrinter() override { line_.finish(); }

    void showProgress(bool visible, int value) override {
        ChainedObserver::showProgress(visible, value);
        if (terminal_) line_.update(visible, value);
    }
    void showTransferHealth(const LinkHealth& health, bool complete) override {
        ChainedObserver::showTransferHealth(health, complete);
        run_.err << transferHealthLine(health, complete) << Qt::endl;
    }

  private:
    CliRun& run_;
    ProgressLine line_;
    bool terminal_;
};

// The count as the viewer takes it: asked for with new firmware, from a status read with old.
int storedCount(CliRun& run) {
    return camera::pictureCount(run.camera, [&run] { run.connect(); });
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

bool write(CliRun& run, const PictureCommand& c, const images::HeldPicture& picture,
           const QString& path, int number) {
    const int choice = camera::colourChoiceIndex(c.palette);
    if (c.format == "csv") return camera::saveCsv(picture, number, choice, path);
    const QImage shown = camera::viewPicture(picture, images::SelectColourSetup(choice));
    if (c.format == "png")
        return camera::savePng(shown, path, camera::pictureTexts(picture, number, choice));
    QString why;
    if (!camera::saveBitmap(shown, path, &why)) {
        camera::showMessage(run.camera.dialogs(), {images::text::SaveFailed(path, why),
                                                   images::text::kFileError, MsgIcon::Exclamation});
        return false;
    }
    return QFileInfo::exists(path);
}

bool save(CliRun& run, const PictureCommand& c, const images::HeldPicture& picture,
          const QString& path, int number) {
    const bool saved = write(run, c, picture, path, number);
    if (saved) camera::recordSaved(run.camera, number, QFileInfo(path).absoluteFilePath());
    return saved;
}

bool downloadOne(CliRun& run, const PictureCommand& c, int number, QStringList& saved) {
    const QString path = outputPath(c, number);
    const QString what =
        number == 0 ? QString("the splash picture") : QString("picture %1").arg(number);
    const int choice = std::max(0, camera::colourChoiceIndex(c.palette));
    PictureJson json{number, path, c.format, images::kColouriseChoices[choice].text, "skipped"};
    if (QFileInfo::exists(path) && !c.force) {
        run.out << "Skipped " << what << ": " << path << " is already saved" << Qt::endl;
        addPictureJson(run.json, json);
        return true;
    }
    camera::Download d;
    {
        TransferPrinter printer(run, what);
        d = c.verify ? camera::downloadVerified(run.camera, number)
                     : camera::downloadPicture(run.camera, number);
    }
    if (stopRequested()) return false;  // a transfer cut short is not a picture: nothing is saved
    camera::showMessages(run.camera.dialogs(), d.outcome);
    json.health = &d.health;
    json.result = "failed";
    if (!d.picture || !d.outcome.ok) {
        fail(run, what + (d.picture ? " was not saved" : " was not downloaded"));
        addPictureJson(run.json, json);
        return false;
    }
    if (!save(run, c, *d.picture, path, number)) {
        fail(run, what + " could not be saved to " + path);
        addPictureJson(run.json, json);
        return false;
    }
    run.out << "Saved " << what << " to " << path << Qt::endl;
    saved << path;
    json.result = "saved";
    addPictureJson(run.json, json);
    return true;
}

int download(CliRun& run, const PictureCommand& c) {
    QList<int> numbers;
    if (c.target == Target::One)
        numbers << c.number;
    else if (c.target == Target::Splash)
        numbers << 0;
    else
        for (int n = 1, count = storedCount(run); n <= count; ++n) numbers << n;
    run.json["pictures"] = QJsonArray();
    if (numbers.isEmpty()) run.out << "The camera holds no pictures" << Qt::endl;
    const int held = run.camera.state().StoredImageCount;
    if (c.target == Target::One && c.number > held) {
        fail(run, QString("there is no picture %1: the camera holds %2 %3")
                      .arg(c.number)
                      .arg(held)
                      .arg(held == 1 ? "picture" : "pictures"));
        return kExitNoAnswer;
    }
    bool allSaved = true;
    QStringList saved;
    for (int n : numbers) {
        allSaved = downloadOne(run, c, n, saved) && allSaved;
        if (stopRequested()) {
            run.err << "Orvik 3: pictures saved before the stop: "
                    << (saved.isEmpty() ? QString("none") : saved.join(", ")) << Qt::endl;
            break;
        }
    }
    return allSaved ? kExitOk : kExitNoAnswer;
}

// The console answers the designed question with yes, and prints it as it does any message.
int deletePictures(CliRun& run, const PictureCommand& c) {
    namespace t = images::text;
    const int before = storedCount(run);
    // An old camera's count comes from the status report the form reads after a delete.
    const auto readStatus = [&run] { run.connect(); };
    if (c.target == Target::All) {
        camera::showMessage(run.camera.dialogs(),
                            {t::kDeleteAllQuestion, t::kDeleteAllTitle, MsgIcon::Exclamation});
        camera::deleteAllPictures(run.camera, readStatus);
    } else {
        camera::showMessage(run.camera.dialogs(),
                            {t::kDeleteOneQuestion, t::kDeleteOneTitle, MsgIcon::Question});
        camera::deletePicture(run.camera, c.number, readStatus);
    }
    const int after = storedCount(run);
    run.out << "Pictures stored: " << after << Qt::endl;
    const bool done = c.target == Target::All ? after == 0 : after == before - 1;
    if (!done) run.err << "Orvik 3: the camera did not delete the picture" << Qt::endl;
    return done ? kExitOk : kExitNoAnswer;
}

int store(CliRun& run) {
    const bool stored = camera::storePicture(run.camera);
    run.out << "Pictures stored: " << storedCount(run) << Qt::endl;
    if (!stored) run.err << "Orvik 3: the camera did not store a picture" << Qt::endl;
    return stored ? kExitOk : kExitNoAnswer;
}

}  // namespace

int runPictureCommand(CliRun& run, const PictureCommand& c) {
    if (!run.connect()) return kExitNoAnswer;
    switch (c.kind) {
        case Kind::Count:
            run.json["pictures_stored"] = storedCount(run);
            run.out << "Pictures stored: " << run.json["pictures_stored"].toInt() << Qt::endl;
            return kExitOk;
        case Kind::Download:
            return download(run, c);
        case Kind::Delete:
            return deletePictures(run, c);
        case Kind::Store:
            return store(run);
    }
    return kExitUsage;
}
