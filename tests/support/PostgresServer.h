#pragma once
// A PostgreSQL server of the caller's own (initdb and pg_ctl, a Unix socket in a temporary folder
// only), with the password "right" for the user postgres: for the history's tests and benchmark.

#include <pwd.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

#include "tests/support/RunProgram.h"

class PostgresServer {
  public:
    // initdb refuses to run as root: as root, the server's tools run as its own user.
    bool tool(const QString& name, const QStringList& args) {
        QStringList all = QStringList{"/usr/lib/postgresql/15/bin/" + name} + args;
        if (geteuid() == 0) all = QStringList{"runuser", "-u", "postgres", "--"} + all;
        const ProgramResult r = runProgram(all.takeFirst(), all);
        if (r.code != 0) error = name + ": " + r.err;
        return r.code == 0;
    }
    bool create() {
        if (const passwd* pg = geteuid() == 0 ? getpwnam("postgres") : nullptr)
            if (chown(qPrintable(dir.path()), pg->pw_uid, pg->pw_gid) != 0) return false;
        QFile password(dir.filePath("password"));
        if (!password.open(QIODevice::WriteOnly) || !password.write("right\n")) return false;
        password.close();
        return tool("initdb", {"-D", dir.filePath("data"), "-U", "postgres", "-A", "scram-sha-256",
                               "--pwfile", password.fileName()}) &&
               start();
    }
    bool start() {
        return tool("pg_ctl", {"-D", dir.filePath("data"), "-l", dir.filePath("log"), "-w", "-o",
                               "-c listen_addresses='' -k " + dir.path(), "start"});
    }
    bool stop() { return tool("pg_ctl", {"-D", dir.filePath("data"), "-m", "fast", "-w", "stop"}); }
    QString url(const QString& password = "right") const {
        return QString("postgresql://postgres:%1@localhost/postgres?host=%2")
            .arg(password, dir.path());
    }

    QTemporaryDir dir;
    QString error;
};
