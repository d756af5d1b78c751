#include "PreferencesFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryFile>
#include <QtDebug>
#include <cmath>
#include <cstdio>

#include "NavigSchema.h"

namespace {
using Manager = SpaceWarePreferencesManager;

const char* const navigation_group = "navigation";
const char* const buttons_group = "buttons";
const char* const button_key_prefix = "button_";
const char* const functions_array = "custom_functions";
const char* const function_name_key = "name";
const char* const function_definition_key = "definition";

QString navig_key(const NavigSchemaRow& row) {
    return QStringLiteral("%1/%2").arg(QLatin1String(navigation_group), QLatin1String(row.key));
}

QString button_key(long n) {
    return QString::fromLatin1(button_key_prefix) + QString::number(n);
}

// The device button a key of the buttons group names, or 0.
long button_of_key(const QString& key) {
    static const QRegularExpression number(QStringLiteral("^[1-9][0-9]{0,5}$"));
    const QString prefix = QString::fromLatin1(button_key_prefix);
    const QString rest = key.mid(prefix.size());
    return key.startsWith(prefix) && number.match(rest).hasMatch() ? rest.toLong() : 0;
}

// A value as written; an unquoted comma makes QSettings read a list.
QString text_of(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", "));
    }
    return value.toString();
}

bool is_axis_permutation(const PreferencesFile::NavigValues& navig) {
    bool seen[3] = {false, false, false};
    for (int row = 0; row < 3; ++row) {
        const int k = Manager::string_to_index(axis_group, navig[translation_axis(row)].text);
        if (k < 0 || seen[k]) {
            return false;
        }
        seen[k] = true;
    }
    return true;
}

// Reads one preferences file, checking every value; what is bad keeps its
// default, with a warning naming the file and the key.
class Reader {
public:
    Reader(const QString& file, QSettings& settings)
        : file_(file)
        , in_(settings) {}

    void read_navig(PreferencesFile::NavigValues& navig) {
        const PreferencesFile::NavigValues defaults = navig;
        for (const NavigSchemaRow& row : navig_schema) {
            if (row.kind == NavigKind::choice) {
                read_choice(row, navig[row.attribute].text);
            } else {
                read_sensitivity(row, navig[row.attribute].number);
            }
        }
        if (!is_axis_permutation(navig)) {
            QStringList keys;
            for (int row = 0; row < 3; ++row) {
                keys << navig_key(navig_schema[translation_axis(row)]);
                navig[translation_axis(row)] = defaults[translation_axis(row)];
            }
            qWarning("%s: %s: not each of x, y and z once; the defaults are used instead",
                     qPrintable(file_), qPrintable(keys.join(QStringLiteral(", "))));
        }
    }

    void read_buttons(PreferencesFile::ButtonValues& names) {
        in_.beginGroup(QString::fromLatin1(buttons_group));
        for (const QString& key : in_.childKeys()) {
            const QString full_key = QString::fromLatin1(buttons_group) + '/' + key;
            const long n = button_of_key(key);
            if (n < 1 || n > static_cast<long>(names.size())) {
                warn_unused(full_key, "the device has no such button");
                continue;
            }
            CopyCString name;
            if (!host_string_of(text_of(in_.value(key)), name) ||
                !Manager::is_valid_function_name(name)) {
                warn_bad_value(full_key, "not a function name");
                continue;
            }
            names[n - 1] = name;
        }
        in_.endGroup();
    }

    void read_functions(PreferencesFile::Functions& functions,
                        const PreferencesFile::IsReserved& is_reserved) {
        const int count = in_.beginReadArray(QString::fromLatin1(functions_array));
        for (int i = 0; i < count; ++i) {
            in_.setArrayIndex(i);
            const QString key = QStringLiteral("%1/%2").arg(functions_array).arg(i + 1);
            CopyCString name, definition;
            if (!host_string_of(text_of(in_.value(function_name_key)), name) ||
                !Manager::is_valid_function_name(name)) {
                warn_unused(key, "a custom function needs a name without blanks");
            } else if (!host_string_of(text_of(in_.value(function_definition_key)), definition)) {
                warn_unused(key, "the definition holds characters outside Latin-1");
            } else if (is_reserved(name)) {
                warn_unused(key, "a built-in function has that name");
            } else {
                functions.emplace_back(name, definition);
            }
        }
        in_.endArray();
    }

private:
    void read_choice(const NavigSchemaRow& row, CopyCString& value) {
        const QString key = navig_key(row);
        if (!in_.contains(key)) {
            return;
        }
        CopyCString text;
        if (!host_string_of(text_of(in_.value(key)), text) ||
            Manager::string_to_index(row.group, text) < 0) {
            warn_bad_value(key, "not one of the known choices");
            return;
        }
        value = text;
    }

    void read_sensitivity(const NavigSchemaRow& row, float& value) {
        const QString key = navig_key(row);
        if (!in_.contains(key)) {
            return;
        }
        bool is_number = false;
        const double number = text_of(in_.value(key)).trimmed().toDouble(&is_number);
        if (!is_number || !std::isfinite(number) || number < row.lowest || number > row.highest) {
            warn_bad_value(key, "not a number from 0.1 to 10");
            return;
        }
        value = static_cast<float>(number);
    }

    void warn_bad_value(const QString& key, const char* problem) {
        qWarning("%s: %s: %s; the default is used instead", qPrintable(file_), qPrintable(key),
                 problem);
    }
    void warn_unused(const QString& key, const char* problem) {
        qWarning("%s: %s: %s; the entry is left out", qPrintable(file_), qPrintable(key), problem);
    }

    const QString& file_;
    QSettings& in_;
};

void write_contents(QSettings& out, const PreferencesFile::Contents& contents) {
    for (const NavigSchemaRow& row : navig_schema) {
        const Manager::NavigValue& value = contents.navig[row.attribute];
        // Nine digits bring the same float back.
        out.setValue(navig_key(row), row.kind == NavigKind::choice
                                         ? qstring_of(value.text)
                                         : QString::number(value.number, 'g', 9));
    }
    for (long n = 1; n <= static_cast<long>(contents.buttons.size()); ++n) {
        out.setValue(QString::fromLatin1(buttons_group) + '/' + button_key(n),
                     qstring_of(contents.buttons[n - 1]));
    }
    out.beginWriteArray(QString::fromLatin1(functions_array));
    int i = 0;
    for (const auto& [name, definition] : contents.functions) {
        out.setArrayIndex(i++);
        out.setValue(function_name_key, qstring_of(name));
        out.setValue(function_definition_key, qstring_of(definition));
    }
    out.endArray();
}
} // namespace

void PreferencesFile::read(Contents& contents, const IsReserved& is_reserved) const {
    const QFileInfo info(path_);
    if (!info.exists()) {
        return;
    }
    QSettings in(path_, QSettings::IniFormat);
    if (!info.isReadable() || !info.isFile() || in.status() != QSettings::NoError) {
        qWarning("%s: cannot be read; the factory defaults are used, and the file is kept "
                 "until the settings are saved",
                 qPrintable(path_));
        return;
    }
    Reader reader(path_, in);
    reader.read_navig(contents.navig);
    reader.read_buttons(contents.buttons);
    reader.read_functions(contents.functions, is_reserved);
}

bool PreferencesFile::write(const Contents& contents) const {
    const QFileInfo info(path_);
    if (!QDir().mkpath(info.absolutePath())) {
        qWarning("%s: cannot create its folder; the settings are not saved", qPrintable(path_));
        return false;
    }
    QTemporaryFile staging(info.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!staging.open()) {
        qWarning("%s: cannot write beside it (%s); the settings are not saved", qPrintable(path_),
                 qPrintable(staging.errorString()));
        return false;
    }
    staging.close();
    // Keep the old file's permissions; a new one gets the usual ones.
    staging.setPermissions(info.exists() ? info.permissions()
                                         : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                               QFile::ReadOther);
    {
        QSettings out(staging.fileName(), QSettings::IniFormat);
        write_contents(out, contents);
        out.sync();
        if (out.status() != QSettings::NoError) {
            qWarning("%s: cannot be written; the settings are not saved", qPrintable(path_));
            return false;
        }
    }
    if (std::rename(QFile::encodeName(staging.fileName()).constData(),
                    QFile::encodeName(info.absoluteFilePath()).constData()) != 0) {
        qWarning("%s: cannot be replaced; the settings are not saved", qPrintable(path_));
        return false;
    }
    return true;
}
