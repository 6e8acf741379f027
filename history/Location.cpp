#include "history/Location.h"

#include <QDir>
#include <QUrl>
#include <QUrlQuery>

namespace history {

QString Location::describe() const {
    if (kind == Kind::Sqlite) return path;
    if (kind == Kind::Postgres) return QString("%1@%2/%3").arg(user, host, database);
    return QStringLiteral("off");
}

Location parseLocation(const QString& text) {
    Location l;
    if (text == "off") return l;
    if (!text.startsWith("postgresql://") && !text.startsWith("postgres://")) {
        l.kind = Location::Kind::Sqlite;
        l.path = text.startsWith("sqlite:") ? text.mid(7) : text;
        if (l.path.isEmpty()) l.error = "sqlite: needs a file";
        return l;
    }
    const QUrl url(text, QUrl::StrictMode);
    l.kind = Location::Kind::Postgres;
    l.user = url.userName();
    l.password = url.password();
    l.host = url.host();
    l.port = url.port(-1);
    l.database = url.path().mid(1);
    const QString socketDir = QUrlQuery(url).queryItemValue("host", QUrl::FullyDecoded);
    if (!socketDir.isEmpty()) l.host = socketDir;
    if (!url.isValid() || l.database.isEmpty() || l.host.isEmpty())
        l.error = "a PostgreSQL history is given as postgresql://USER@HOST/DB";
    return l;
}

QString dataFolder() {
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || QDir::isRelativePath(data)) data = QDir::homePath() + "/.local/share";
    return data + "/orvik3";
}

Location chooseLocation(const QString& optionValue) {
    if (!optionValue.isEmpty()) return parseLocation(optionValue);
    const QString env = qEnvironmentVariable("ORVIK3_HISTORY");
    if (!env.isEmpty()) return parseLocation(env);
    Location l;
    l.kind = Location::Kind::Sqlite;
    l.path = dataFolder() + "/history.sqlite3";
    return l;
}

}  // namespace history
