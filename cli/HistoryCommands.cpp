// The service history's commands: read from the history alone, without a camera or a port.
#include <QJsonDocument>
#include <QTextStream>

#include "cli/Commands.h"
#include "history/Changes.h"
#include "history/Outbox.h"
#include "history/Store.h"

namespace {

void print(const CommonOptions& options, QTextStream& out, const QJsonObject& json,
           const QString& text) {
    if (options.json)
        out << QJsonDocument(json).toJson(QJsonDocument::Indented);
    else
        out << text;
    out << Qt::flush;
}

// What waits in the outbox is said even when the history itself cannot be read.
QString outboxText(const history::Outbox& outbox, int waiting, const QString& why) {
    if (waiting < 0) return "The outbox cannot be read: " + why + "\n";
    if (waiting == 0) return {};
    return QString("%1 record%2 of earlier runs wait%3 in the outbox %4.\n")
        .arg(waiting)
        .arg(waiting == 1 ? "" : "s", waiting == 1 ? "s" : "", outbox.path());
}

}  // namespace

int runHistory(const CommonOptions& options, const QString& asked, QTextStream& out,
               QTextStream& err) {
    const history::Location where = history::chooseLocation(options.history);
    if (where.kind == history::Location::Kind::Off || !where.error.isEmpty()) {
        err << "orvik3: no service history to read: "
            << (where.error.isEmpty() ? QString("it is off") : where.error) << Qt::endl;
        return kExitUsage;
    }
    const history::Outbox outbox(where);
    QString why, outboxWhy;
    const int waiting = outbox.count(&outboxWhy);
    const QString outboxLine = outboxText(outbox, waiting, outboxWhy);
    history::Store store;
    if (!store.open(where, &why)) {
        err << outboxLine << "orvik3: the service history " << where.describe()
            << " cannot be read: " << why.simplified() << Qt::endl;
        return kExitNoAnswer;
    }
    if (asked.isEmpty()) {
        const std::vector<history::CameraSeen> cameras = store.cameras(&why);
        print(options, out,
              {{"cameras", history::camerasJson(cameras)}, {"outbox", std::max(0, waiting)}},
              history::camerasText(cameras) + outboxLine);
        return why.isEmpty() ? kExitOk : kExitNoAnswer;
    }
    const QString camera = asked == "0" ? history::kNoSerial : asked;
    const std::vector<history::Visit> visits = store.visits(camera, &why);
    if (visits.empty()) {
        err << "orvik3: no visit of camera " << asked << " is recorded"
            << (why.isEmpty() ? QString() : ": " + why) << Qt::endl;
        return kExitNoAnswer;
    }
    print(options, out,
          {{"serial", history::serialJson(camera)}, {"visits", history::visitsJson(visits)}},
          history::visitsText(camera, visits));
    return kExitOk;
}
