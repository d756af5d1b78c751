#include "Options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

#include "Kestrava_spaceWare.h"
#include "Languages.h"
#include "ModelFile.h"
#include "ProgramFiles.h"

namespace {
[[noreturn]] void refuse(const QString& message) {
    std::fprintf(stderr, "tarvik: %s\n", qPrintable(message));
    std::exit(2);
}

// A path in the home folder as a shell writes it, the same for every user.
QString for_people(const QString& path) {
    const QString home = QDir::homePath() + '/';
    return path.startsWith(home) ? QStringLiteral("~/") + path.mid(home.size()) : path;
}

// "STL, OBJ, PLY, …, AMF or DXF".
QString format_names() {
    QStringList names;
    for (const ModelFormat& format : model_formats()) {
        names << QLatin1String(format.name);
    }
    const QString last = names.takeLast();
    return QStringLiteral("%1 or %2").arg(names.join(QStringLiteral(", ")), last);
}

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption module{QStringLiteral("module"),
                              QStringLiteral("The module to load (default: the one built beside "
                                             "this program)."),
                              QStringLiteral("path")};
    QCommandLineOption settings{
        QStringLiteral("settings"),
        QStringLiteral("The motion-controller preferences file (default: %1).")
            .arg(for_people(SpaceWarePreferencesManager::default_file())),
        QStringLiteral("file")};
    QCommandLineOption buttons{
        QStringLiteral("buttons"),
        QStringLiteral("The device's number of buttons, 0 to %1 (default: what the daemon tells, "
                       "else %2).")
            .arg(Options::most_buttons)
            .arg(SpaceWarePreferencesManager::default_button_count),
        QStringLiteral("count")};
    QCommandLineOption screenshot{
        QStringLiteral("screenshot"),
        QStringLiteral("Show the window, save a PNG of it to <file> and exit."),
        QStringLiteral("file")};
    QCommandLineOption script{
        QStringLiteral("script"),
        QStringLiteral("Run the user actions of <file> once the window is shown."),
        QStringLiteral("file")};
    QCommandLineOption model{
        QStringLiteral("model"),
        QStringLiteral("The model file to show: %1 (default: a built-in one).").arg(format_names()),
        QStringLiteral("file")};
    QCommandLineOption language{QStringLiteral("lang"),
                                QStringLiteral("The language to speak: %1 (default: the "
                                               "system's).")
                                    .arg(Languages::codes().join(QStringLiteral(", "))),
                                QStringLiteral("code")};

    QCommandLineOption profile{QStringLiteral("profile"),
                               QStringLiteral("Start with the device settings of the profile "
                                              "<name> (default: the one last in use)."),
                               QStringLiteral("name")};

    Parser() {
        parser.setApplicationDescription(
            QStringLiteral("Tarvik modelling host: shows 3-D models that the mouse and a six-axis "
                           "motion controller move, and edits the controller's settings."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions(
            {module, settings, buttons, screenshot, script, model, language, profile});
        parser.addPositionalArgument(QStringLiteral("file"),
                                     QStringLiteral("A model file to show, as --model does, or "
                                                    "a profile (.tarvik-profile) to import."),
                                     QStringLiteral("[file]"));
    }
};

long button_count_of(const QString& text) {
    bool ok = false;
    const long count = text.toLong(&ok);
    if (!ok || count < 0 || count > Options::most_buttons) {
        refuse(QStringLiteral("--buttons takes a number from 0 to %1, not \"%2\"")
                   .arg(Options::most_buttons)
                   .arg(text));
    }
    return count;
}
} // namespace

Options parse_options(const QCoreApplication& app) {
    // The module is built with the program, and shares its version.
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1 (Qt %2, built with Qt %3; the Kestrava module %1)")
            .arg(QStringLiteral(KESTRAVA_VERSION), QLatin1String(qVersion()),
                 QStringLiteral(QT_VERSION_STR)));
    Parser p;
    p.parser.process(app);
    Options options;
    // A path names a file, relative to the current folder: never a name for
    // the system loader to search for.
    options.module = p.parser.isSet(p.module)
                         ? QFileInfo(p.parser.value(p.module)).absoluteFilePath()
                         : default_module();
    options.settings = p.parser.value(p.settings);
    options.buttons_given = p.parser.isSet(p.buttons);
    options.buttons = options.buttons_given ? button_count_of(p.parser.value(p.buttons))
                                            : SpaceWarePreferencesManager::default_button_count;
    options.screenshot = p.parser.value(p.screenshot);
    options.script = p.parser.value(p.script);
    const QStringList positional = p.parser.positionalArguments();
    if (positional.size() > 1) {
        refuse(QStringLiteral("one model at a time, not %1").arg(positional.size()));
    }
    options.model = p.parser.isSet(p.model) ? p.parser.value(p.model) : positional.value(0);
    options.language = p.parser.value(p.language);
    options.profile = p.parser.value(p.profile);
    if (!options.language.isEmpty() && !Languages::codes().contains(options.language)) {
        refuse(QStringLiteral("--lang takes one of %1, not \"%2\"")
                   .arg(Languages::codes().join(QStringLiteral(", ")), options.language));
    }
    return options;
}

QString default_module() {
    return program_file(QStringLiteral("libKestrava_gui.so"),
                        QStringLiteral(TARVIK_MODULE_FROM_BIN));
}

QString translations_folder() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" TARVIK_TRANSLATIONS_FROM_BIN));
}
