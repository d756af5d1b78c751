#include "Languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

Languages::Languages(QString folder)
    : folder_(std::move(folder)) {}

Languages::~Languages() {
    remove_translators();
}

QStringList Languages::codes() {
    return {QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("fr")};
}

QString Languages::native_name(const QString& code) {
    if (code == QLatin1String("de")) {
        return QStringLiteral("Deutsch");
    }
    return code == QLatin1String("fr") ? QStringLiteral("Fran\u00e7ais")
                                       : QStringLiteral("English");
}

QString Languages::for_system_locale() {
    for (const QString& language : QLocale::system().uiLanguages()) {
        const QString code = language.section('-', 0, 0).toLower();
        if (codes().contains(code)) {
            return code;
        }
    }
    return QStringLiteral("en");
}

bool Languages::use(const QString& code) {
    if (!codes().contains(code)) {
        return false;
    }
    auto ours = std::make_unique<QTranslator>();
    if (code != QLatin1String("en") &&
        !ours->load(QStringLiteral("tarvik_%1").arg(code), folder_)) {
        return false;
    }
    remove_translators();
    current_ = code;
    // Numbers are written as the language writes them.
    QLocale::setDefault(QLocale(code));
    if (code == QLatin1String("en")) {
        return true;
    }
    ours_ = std::move(ours);
    QCoreApplication::installTranslator(ours_.get());
    // Qt's own, for the buttons of its dialogs, where the system has them.
    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_%1").arg(code),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qt_ = std::move(qt);
        QCoreApplication::installTranslator(qt_.get());
    }
    return true;
}

void Languages::remove_translators() {
    for (std::unique_ptr<QTranslator>* translator : {&ours_, &qt_}) {
        if (*translator) {
            QCoreApplication::removeTranslator(translator->get());
            translator->reset();
        }
    }
}
