// The service history's commands: read from the history alone, without a camera or a port.
#include <QJsonDocument>
#include <QTextStream>

#include "cli/Commands.h"
#include "history/Changes.h"
#include "history/Store.h"

int runHistory(const CommonOptions& options, const QString& camera, QTextStream& out,
               QTextStream& err) {
    const history::Location where = history::chooseLocation(options.history);
    if (where.kind == history::Location::Kind::Off || !where.error.isEmpty()) {
        err << "orvik3: no service history to read: "
            << (where.error.isEmpty() ? QString("it is off") : where.error) << Qt::endl;
        return kExitUsage;
    }
    history::Store store;
    QString why;
    if (!store.open(where, &why)) {
        err << "orvik3: the service history " << where.describe()
            << " cannot be read: " << why.simplified() << Qt::endl;
        return kExitNoAnswer;
    }
    const auto print = [&](const QJsonArray& json, const QString& text) {
        if (options.json)
            out << QJsonDocument(json).toJson(QJsonDocument::Indented);
        else
            out << text;
        out << Qt::flush;
    };
    if (camera.isEmpty()) {
        const std::vector<history::CameraSeen> cameras = store.cameras(&why);
        print(history::camerasJson(cameras), history::camerasText(cameras));
        return why.isEmpty() ? kExitOk : kExitNoAnswer;
    }
    const std::vector<history::Visit> visits = store.visits(camera, &why);
    if (visits.empty()) {
        err << "orvik3: no visit of camera " << camera << " is recorded"
            << (why.isEmpty() ? QString() : ": " + why) << Qt::endl;
        return kExitNoAnswer;
    }
    print(history::visitsJson(visits), history::visitsText(camera, visits));
    return kExitOk;
}
