#pragma once

// Helpers several test units share: UTF-8 texts, whole files read and written, an environment
// variable set for one scope, and a program of the build run to its end.
#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace TestSupport {

inline QString u(const char* s) {
    return QString::fromUtf8(s);
}

inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Sets an environment variable and restores it when the scope ends, however it ends.
struct ScopedEnv {
    QByteArray name, before;
    bool had;
    ScopedEnv(const char* n, const QByteArray& value)
        : name(n), before(qgetenv(n)), had(qEnvironmentVariableIsSet(n)) {
        qputenv(n, value);
    }
    ~ScopedEnv() { had ? qputenv(name.constData(), before) : qunsetenv(name.constData()); }
};

struct Run {
    int exitCode = -1; // -1: crashed or did not finish
    QString out;
    QString err;
};

// Runs a program with a private host registry (saves remember the file there).
inline Run runProgram(const QString& program, const QStringList& args, const QString& registry,
                      const QString& codePage = {}, int timeoutMs = 120000) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ZELGR_REGISTRY"), registry);
    if (!codePage.isEmpty()) env.insert(QStringLiteral("TOPAZ_SYSTEM_CODEPAGE"), codePage);
    p.setProcessEnvironment(env);
    p.start(program, args);
    Run r;
    if (!p.waitForFinished(timeoutMs)) return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace TestSupport
