#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>
#include <memory>

// The languages the host speaks, by code ("en", "de", "fr"), and the one in
// use: switching installs its translations, the program's and Qt's own, and
// Qt tells every widget to translate itself again.
class Languages {
public:
    // Translations are looked for in `folder`.
    explicit Languages(QString folder);
    ~Languages();
    Languages(const Languages&) = delete;
    Languages& operator=(const Languages&) = delete;

    static QStringList codes();
    // A language's name in itself, as a menu offers it.
    static QString native_name(const QString& code);
    // Ours that the user's locale asks for, or English.
    static QString for_system_locale();

    QString current() const { return current_; }
    // False, the language in use kept, for a code we do not speak or whose
    // translation is missing.
    bool use(const QString& code);

private:
    void remove_translators();

    QString folder_;
    QString current_ = QStringLiteral("en");
    std::unique_ptr<QTranslator> ours_;
    std::unique_ptr<QTranslator> qt_;
};
