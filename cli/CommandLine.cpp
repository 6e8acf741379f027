// The command line's words and options. Qt's own parser takes the options wherever they stand
// and gives back the words in order; what each command accepts is checked here.
#include "cli/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include "app/PortMap.h"
#include "camera/PictureStore.h"
#include "images/Palettes.h"
#include "status/TypedBytes.h"

namespace {

using Action = Invocation::Action;

const QStringList kValued = {"port",    "speed", "repair-centre", "save",    "at",   "trace",
                             "palette", "out",   "format",        "history", "count"};
const QStringList kSwitches = {"simulate", "full-edition", "now",     "force",   "yes",
                               "verify",   "json",         "version", "loopback"};

const QStringList kCommandWords = {"ports",  "status", "set-time", "pictures",     "download",
                                   "delete", "store",  "console",  "start-values", "splash",
                                   "fpga",   "serial", "history",  "check-line"};

const QString kRangeError = "console addresses and bytes are whole numbers from 0 to 255";

// Why Qt's parser refused the arguments, in the words the program has always used.
QString parserError(const QCommandLineParser& parser) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString& name = unknown.first();
        return "unknown option " + QString(name.size() == 1 ? "-" : "--") + name;
    }
    const QRegularExpressionMatch m =
        QRegularExpression("Missing value after '([^']*)'").match(parser.errorText());
    if (m.hasMatch()) return m.captured(1) + " needs a value";
    return parser.errorText();
}

QString applyOption(Invocation& c, bool& help, const QString& name, const QString& v) {
    CommonOptions& o = c.common;
    PictureCommand& p = c.picture;
    if (name == "simulate")
        o.simulate = true;
    else if (name == "full-edition")
        o.fullEdition = true;
    else if (name == "history")
        o.history = v;
    else if (name == "now")
        c.at = QDateTime();
    else if (name == "h" || name == "help")
        help = true;
    else if (name == "force")
        p.force = true;
    else if (name == "yes")
        p.yes = true;
    else if (name == "verify")
        p.verify = true;
    else if (name == "json")
        o.json = true;
    else if (name == "loopback")
        c.lineCheck.loopback = true;
    else if (name == "count") {
        bool ok = false;
        c.lineCheck.count = v.toInt(&ok);
        c.lineCheck.countGiven = true;
        if (!ok || c.lineCheck.count < 1 || c.lineCheck.count > 1000)
            return "--count takes a number of requests from 1 to 1000";
    } else if (name == "port") {
        int n = 0;
        QString device;
        if (PortMap::parseOption(v, n, device)) {
            o.portDevices.emplace_back(n, device);
            o.port = n;
        } else {
            bool ok = false;
            o.port = v.toInt(&ok);
            if (!ok || o.port < 1 || o.port > 4) return "--port takes 1 to 4, or N=DEVICE";
        }
    } else if (name == "speed") {
        o.speed = v.toInt();
        if (o.speed != 115200 && o.speed != 19200) return "--speed takes 115200 or 19200";
    } else if (name == "repair-centre")
        o.repairCentre = v;
    else if (name == "trace")
        o.traceFile = v;
    else if (name == "save") {
        c.saveFile = v;
        if (!v.endsWith(".txt", Qt::CaseInsensitive) && !v.endsWith(".rtf", Qt::CaseInsensitive))
            return "--save takes a .txt or .rtf file";
    } else if (name == "at") {
        c.at = QDateTime::fromString(v, "yyyy-MM-dd HH:mm");
        if (!c.at.isValid() || c.at.date().year() < 2001 || c.at.date().year() > 2099)
            return "--at takes \"YYYY-MM-DD HH:MM\" with a year from 2001 to 2099";
    } else if (name == "palette")
        p.palette = v;
    else if (name == "out")
        p.out = v;
    else if (name == "format")
        p.format = v.toLower();
    return {};
}

// Nothing may follow a command's own words.
QString nothingMore(const QStringList& rest) {
    if (rest.isEmpty()) return {};
    return kCommandWords.contains(rest.first()) ? "one command at a time"
                                                : "unexpected word " + rest.first();
}

QString pictureTarget(PictureCommand& c, const QString& word, const QStringList& rest) {
    using K = PictureCommand::Kind;
    const bool download = c.kind == K::Download;
    if (rest.isEmpty())
        return word + " needs a picture: a number, " + (download ? "splash or all" : "or all");
    const QString& target = rest.first();
    if (target == "all")
        c.target = PictureCommand::Target::All;
    else if (target == "splash" && download)
        c.target = PictureCommand::Target::Splash;
    else {
        bool ok = false;
        c.number = target.toInt(&ok);
        if (!ok || c.number < 1 || c.number > images::kLastPictureNumber)
            return download ? "download takes a picture number 1 to 26, splash or all"
                            : "delete takes a picture number 1 to 26 or all";
    }
    return nothingMore(rest.mid(1));
}

bool knownPalette(const QString& name) {
    for (const images::ColourChoice& choice : images::kColouriseChoices)
        if (name.compare(QLatin1String(choice.text), Qt::CaseInsensitive) == 0) return true;
    return false;
}

// The picture options belong to their commands; the format comes from --out's suffix if not
// given.
QString pictureOptions(Invocation& c) {
    PictureCommand& p = c.picture;
    const bool picture = c.action == Action::Picture;
    const bool download = picture && p.kind == PictureCommand::Kind::Download;
    if (!download && (!p.palette.isEmpty() || !p.out.isEmpty() || !p.format.isEmpty() || p.force))
        return "--palette, --out, --format and --force belong to the download command";
    if (!download && p.verify) return "--verify belongs to the download command";
    const bool yesNeeded =
        (picture && p.kind == PictureCommand::Kind::Delete) ||
        (c.action == Action::Settings && c.settings.kind == SettingsCommand::Kind::StartValues);
    if (p.yes && !yesNeeded && c.action != Action::Settings)
        return picture ? "--yes belongs to the delete command" : "unknown option --yes";
    if (picture && p.kind == PictureCommand::Kind::Delete && !p.yes)
        return "delete cannot be undone: confirm it with --yes";
    if (!p.palette.isEmpty() && !knownPalette(p.palette))
        return "--palette takes a name of the colour list, e.g. \"Red hot, white\"";
    if (!download) return {};
    if (p.format.isEmpty()) {
        const QString suffix = QFileInfo(p.out).suffix().toLower();
        p.format = suffix == "png" || suffix == "csv" ? suffix : "bmp";
    }
    if (p.format != "bmp" && p.format != "png" && p.format != "csv")
        return "--format takes bmp, png or csv";
    return {};
}

QString consoleWords(SettingsCommand& c, const QStringList& rest) {
    const QString mode = rest.value(0);
    if (mode != "read" && mode != "write") return "console takes read or write";
    c.kind =
        mode == "read" ? SettingsCommand::Kind::ConsoleRead : SettingsCommand::Kind::ConsoleWrite;
    std::vector<int> values;
    for (const QString& word : rest.mid(1)) {
        const std::optional<uint8_t> v = byteEntry(word);
        if (!v) return kCommandWords.contains(word) ? "one command at a time" : kRangeError;
        values.push_back(*v);
    }
    if (mode == "read" && values.size() != 1) return "console read takes one address";
    if (mode == "write" && (values.size() < 2 || values.size() > 4))
        return "console write takes an address and one to three bytes";
    c.address = values.front();
    c.bytes.assign(values.begin() + 1, values.end());
    return {};
}

QString uploadWords(UploadCommand& c, const QString& word, const QStringList& rest) {
    using K = UploadCommand::Kind;
    const QString value = rest.value(0);
    if (value.isEmpty()) return word + " needs a value";
    if (word == "splash") {
        c.kind = value == "on"     ? K::SplashOn
                 : value == "off"  ? K::SplashOff
                 : value == "view" ? K::SplashView
                                   : K::SplashFile;
        c.file = value;
    } else if (word == "fpga") {
        c.kind = K::Fpga;
        c.file = value;
    } else {
        c.kind = K::Serial;
        c.serial = value;
    }
    return nothingMore(rest.mid(1));
}

// The command word and what follows it.
QString commandWords(Invocation& c, const QStringList& words) {
    if (words.isEmpty()) return {};
    const QString& word = words.first();
    const QStringList rest = words.mid(1);
    using PK = PictureCommand::Kind;
    static const QHash<QString, Action> plain = {{"ports", Action::Ports},
                                                 {"status", Action::Status},
                                                 {"set-time", Action::SetTime},
                                                 {"check-line", Action::CheckLine}};
    if (plain.contains(word)) {
        c.action = plain.value(word);
        return nothingMore(rest);
    }
    if (word == "pictures" || word == "store" || word == "download" || word == "delete") {
        c.action = Action::Picture;
        c.picture.kind = word == "pictures"   ? PK::Count
                         : word == "store"    ? PK::Store
                         : word == "download" ? PK::Download
                                              : PK::Delete;
        if (c.picture.kind == PK::Count || c.picture.kind == PK::Store) return nothingMore(rest);
        return pictureTarget(c.picture, word, rest);
    }
    if (word == "console" || word == "start-values") {
        c.action = Action::Settings;
        if (word == "console") return consoleWords(c.settings, rest);
        c.settings.kind = SettingsCommand::Kind::StartValues;
        return nothingMore(rest);
    }
    if (word == "history") {
        c.action = Action::History;
        c.historyCamera = rest.value(0);
        return nothingMore(rest.mid(1));
    }
    if (word == "splash" || word == "fpga" || word == "serial") {
        c.action = Action::Upload;
        return uploadWords(c.upload, word, rest);
    }
    return "unexpected word " + word;
}

QString commandRules(Invocation& c) {
    if (QString e = pictureOptions(c); !e.isEmpty()) return e;
    if (c.action == Action::Settings && c.settings.kind == SettingsCommand::Kind::StartValues &&
        !c.picture.yes)
        return "start-values rewrites the camera's settings and clock; add --yes to go on";
    if (!c.saveFile.isEmpty() && c.action != Action::Status)
        return "--save belongs to the status command";
    if (c.at.isValid() && c.action != Action::SetTime)
        return "--at belongs to the set-time command";
    if ((c.lineCheck.countGiven || c.lineCheck.loopback) && c.action != Action::CheckLine)
        return "--count and --loopback belong to the check-line command";
    const bool printsJson =
        c.action == Action::Ports || c.action == Action::Status || c.action == Action::SetTime ||
        c.action == Action::History || c.action == Action::CheckLine ||
        (c.action == Action::Picture && (c.picture.kind == PictureCommand::Kind::Count ||
                                         c.picture.kind == PictureCommand::Kind::Download));
    if (c.common.json && !printsJson)
        return "--json belongs to the ports, status, pictures, download, set-time, history and "
               "check-line commands";
    return {};
}

}  // namespace

Invocation parseCommandLine(const QStringList& args) {
    Invocation c;
    QCommandLineParser parser;
    for (const QString& name : kValued) parser.addOption({name, {}, "value"});
    for (const QString& name : kSwitches) parser.addOption({name, {}});
    parser.addOption({{"h", "help"}, {}});
    if (!parser.parse(QStringList{"orvik3"} + args)) {
        c.error = parserError(parser);
        return c;
    }
    bool help = false;
    QHash<QString, int> seen;  // options apply in the order given: a later --port wins
    for (const QString& name : parser.optionNames()) {
        const int k = seen[name]++;
        const QString value = kValued.contains(name) ? parser.values(name).value(k) : QString();
        c.error = applyOption(c, help, name, value);
        if (!c.error.isEmpty()) return c;
    }
    c.error = commandWords(c, parser.positionalArguments());
    if (c.error.isEmpty()) c.error = commandRules(c);
    if (c.error.isEmpty() && help) c.action = Action::Help;
    if (c.error.isEmpty() && parser.isSet("version")) c.action = Action::Version;
    // The factory commands need the full edition's controls.
    const bool factory =
        c.action == Action::Settings ||
        (c.action == Action::Upload && (c.upload.kind == UploadCommand::Kind::Fpga ||
                                        c.upload.kind == UploadCommand::Kind::Serial));
    if (factory) c.common.fullEdition = true;
    return c;
}

QString usageText() {
    QString text = QStringLiteral(
        "Usage: orvik3 [command] [options]\n"
        "\n"
        "Without a command the desktop program starts.\n"
        "\n"
        "Commands (run without a display):\n"
        "  ports                      list the serial ports and the devices they mean\n"
        "  check-line [--count N] [--loopback]\n"
        "                             when the camera does not answer: checks the device, the\n"
        "                             permission, other programs, low latency, the camera at\n"
        "                             either speed and N status requests (default 20); with\n"
        "                             --loopback a loopback plug instead of the camera\n"
        "  status [--save FILE]       connect, print the Camera Setup Summary; --save writes\n"
        "                             it as text (FILE.txt) or rich text (FILE.rtf)\n"
        "  set-time [--now | --at \"YYYY-MM-DD HH:MM\"]\n"
        "                             connect and set the camera's clock (default: --now)\n"
        "  console read ADDR          read a controller register (0 to 255) and print it\n"
        "  console write ADDR B1 [B2 [B3]]\n"
        "                             write one to three bytes from register ADDR on and print\n"
        "                             the value the camera then holds there\n"
        "  start-values --yes         put the camera into its starting configuration, write it\n"
        "                             to its memory and print what a status read then shows\n"
        "  pictures                   connect and print how many pictures the camera holds\n"
        "  download N|splash|all [--palette NAME] [--out PATH] [--format bmp|png|csv]\n"
        "           [--force] [--verify]\n"
        "                             save pictures as the screen shows them, strip included;\n"
        "                             NAME is an entry of the colour list (\"Red hot, white\");\n"
        "                             csv writes the 320 x 240 pixel values, one row a line,\n"
        "                             after '#' lines with the header fields and the palette;\n"
        "                             all saves 1 to the stored count into the folder PATH as\n"
        "                             picture-NN.bmp (.png, .csv); a picture already saved is\n"
        "                             skipped unless --force; --verify downloads each picture\n"
        "                             twice and compares the copies (a third decides where\n"
        "                             they differ), and saves none it could not verify\n"
        "  delete N|all --yes         delete one stored picture, or all of them\n"
        "  store                      make the camera store a picture now\n"
        "  splash FILE.bmp            upload a 320 x 240, 24-bit bitmap as the start-up picture\n"
        "  splash on|off|view         switch the custom start-up picture, or show it\n"
        "  fpga FILE.rbf              (full edition) upload an FPGA configuration\n"
        "  serial N                   (full edition) give the camera serial number N\n"
        "  history [SERIAL] [--json]  the service history: one line per camera seen (serial,\n"
        "                             first and last visit, visits); with SERIAL its visits,\n"
        "                             newest first, with what changed since the one before\n"
        "\n"
        "Options:\n"
        "  --port N                   use port N (1 to 4)\n"
        "  --port N=DEVICE            port N means DEVICE (e.g. 1=/dev/ttyUSB0); uses it\n"
        "  --simulate                 run a simulated camera as port 1\n"
        "  --speed 115200|19200       line speed (default 115200)\n"
        "  --repair-centre ADDRESS    where \"Email report\" sends the report\n"
        "  --full-edition             offer the factory tabs and controls\n"
        "  --trace FILE               write the link log: one line per packet either way\n"
        "  --history URL              where the service history is kept: a file (or\n"
        "                             sqlite:FILE), postgresql://USER@HOST/DB (?host=/socket/dir\n"
        "                             for a socket folder) or off; default: $ORVIK3_HISTORY,\n"
        "                             else ~/.local/share/orvik3/history.sqlite3\n"
        "  --json                     ports, status, pictures, download, set-time, history,\n"
        "                             check-line: print JSON instead of the text\n"
        "  --version                  print the program's version\n"
        "  --help                     this text\n"
        "\n"
        "Palettes (--palette NAME):\n");
    for (const images::ColourChoice& choice : images::kColouriseChoices)
        text += QStringLiteral("  ") + QLatin1String(choice.text) + '\n';
    return text + QStringLiteral(
                      "\nExit codes: 0 done, 1 the camera did not answer (or the action failed), 2 "
                      "bad usage,\n130 stopped by Ctrl-C, 143 stopped by SIGTERM.\n");
}
