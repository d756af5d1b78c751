#pragma once

// The host application run as a user starts it, for a suite to read what
// it printed and how it ended.

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>

struct Run {
    int status;
    QString output;
    QString errors;
};

// The platform a run draws on: offscreen, with QPainter, unless it asks for
// the X server the tests run under, where OpenGL draws.
inline Run run_tarvik(const QStringList& arguments, const QString& folder = QString(),
                      const QString& platform = QStringLiteral("offscreen"),
                      const QString& config = QDir::tempPath() +
                                              QStringLiteral("/tarvik-tests-config")) {
    QProcess tarvik;
    tarvik.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", platform);
    // The host's own settings (recent files) kept off the user's.
    environment.insert("XDG_CONFIG_HOME", config);
    if (platform != QLatin1String("offscreen")) {
        // Mesa's driver, unloaded at the end, leaves memory no leak checker
        // can name (see KeepGlDriver.h): the sanitizer build checks leaks in
        // the runs without OpenGL.
        environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":detect_leaks=0");
    }
    tarvik.setProcessEnvironment(environment);
    tarvik.start(QStringLiteral(TARVIK_PROGRAM), arguments);
    if (!tarvik.waitForFinished(60000)) {
        tarvik.kill();
        tarvik.waitForFinished();
        return {-1, QString(), QStringLiteral("did not finish")};
    }
    const int status = tarvik.exitStatus() == QProcess::NormalExit ? tarvik.exitCode() : -2;
    return {status, QString::fromLocal8Bit(tarvik.readAllStandardOutput()),
            QString::fromLocal8Bit(tarvik.readAllStandardError())};
}
