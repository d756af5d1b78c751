#include "PreferencesFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSettings>
#include <QThread>
#include <QtDebug>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "IniLines.h"
#include "NavigSchema.h"

namespace {
using Manager = SpaceWarePreferencesManager;
using Section = PreferencesFile::Section;

const char* const navigation_group = "navigation";
const char* const buttons_group = "buttons";
const char* const button_key_prefix = "button_";
const char* const functions_array = "custom_functions";
const char* const function_name_key = "name";
const char* const function_definition_key = "definition";
// Which profile the file's settings are of, and the format of its keys.
const char* const profile_name_key = "profile/name";
const char* const profile_format_key = "profile/format";
// Beside the file: the lock of a save, the new file being written, the
// copy of a file that did not read cleanly.
const char* const lock_suffix = ".lock";
const char* const staging_suffix = ".saving";
const char* const backup_suffix = ".bak";
// How long a save waits for another program's.
const int lock_wait_ms = 5000;
const int lock_poll_ms = 5;

// A moment's wait for a lock: the window is drawn meanwhile, and timers
// run, but no user input is taken, which could start another save.
void let_others_on() {
    if (QCoreApplication::instance()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    QThread::msleep(lock_poll_ms);
}

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

const char* group_of(Section section) {
    switch (section) {
    case Section::navigation:
        return navigation_group;
    case Section::buttons:
        return buttons_group;
    case Section::functions:
        return functions_array;
    case Section::profile:
        return "profile";
    }
    return "";
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

// The file's lines; none for a file that cannot be read.
std::vector<IniLine> lines_of(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return ini_lines(file.readAll());
}

// Reads one preferences file, checking every value; what is bad keeps its
// default, with a warning naming the file and the key.
class Reader {
public:
    Reader(const QString& file, QSettings& settings, std::vector<IniLine> lines,
           QStringList& problems)
        : file_(file)
        , in_(settings)
        , lines_(std::move(lines))
        , problems_(problems) {}

    bool found_bad_values() const { return found_bad_values_; }

    void read_navig(PreferencesFile::NavigValues& navig) {
        const PreferencesFile::NavigValues defaults = navig;
        for (const NavigSchemaRow& row : navig_schema) {
            if (row.kind == NavigKind::choice) {
                read_choice(row, navig[row.attribute].text);
            } else {
                read_number(row, navig[row.attribute].number);
            }
        }
        if (!is_axis_permutation(navig)) {
            QStringList keys;
            for (int row = 0; row < 3; ++row) {
                keys << navig_key(navig_schema[translation_axis(row)]);
                navig[translation_axis(row)] = defaults[translation_axis(row)];
            }
            warn_bad_value(keys.join(QStringLiteral(", ")), "not each of x, y and z once");
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

    // Only the entries the file holds are visited, whatever size it claims.
    void read_functions(PreferencesFile::Functions& functions,
                        const PreferencesFile::IsReserved& is_reserved) {
        const QString array = QString::fromLatin1(functions_array);
        bool is_number = false;
        const long claimed = in_.value(array + QStringLiteral("/size")).toLongLong(&is_number);
        in_.beginGroup(array);
        std::map<long, QString> entries;
        for (const QString& group : in_.childGroups()) {
            const long index = group.toLong(&is_number);
            if (is_number && index >= 1 && index <= claimed) {
                entries.emplace(index, group);
            }
        }
        for (const auto& [index, group] : entries) {
            read_function(array + '/' + group, in_.value(group + '/' + function_name_key),
                          in_.value(group + '/' + function_definition_key), functions, is_reserved);
        }
        in_.endGroup();
        if (static_cast<long>(entries.size()) < claimed) {
            qWarning("%s: %s: %ld of the %ld custom functions it announces are missing",
                     qPrintable(file_), functions_array,
                     claimed - static_cast<long>(entries.size()), claimed);
            found_bad_values_ = true;
        }
    }

    // The profile's name, and a format newer than ours refused: its keys
    // may mean what this program cannot tell.
    void read_profile(QString& name) {
        if (in_.contains(profile_format_key)) {
            bool is_number = false;
            const int format = text_of(in_.value(profile_format_key)).toInt(&is_number);
            if (!is_number || format < 1) {
                warn_unused(profile_format_key, "not a format number");
            } else if (format > PreferencesFile::profile_format) {
                warn_unused(profile_format_key,
                            qPrintable(QStringLiteral("format %1 is newer than this program "
                                                      "reads (%2)")
                                           .arg(format)
                                           .arg(PreferencesFile::profile_format)));
            }
        }
        if (in_.contains(profile_name_key)) {
            const QString text = text_of(in_.value(profile_name_key));
            if (Manager::is_valid_profile_name(text)) {
                name = text;
            } else {
                warn_bad_value(profile_name_key, "not a profile name");
            }
        }
    }

    // Keys that are none of the settings: a save of their section drops them.
    void warn_unknown_keys() {
        static const QRegularExpression function_key(
            QStringLiteral("^%1/(size|[1-9][0-9]*/(%2|%3))$")
                .arg(QLatin1String(functions_array), QLatin1String(function_name_key),
                     QLatin1String(function_definition_key)));
        QStringList known;
        for (const NavigSchemaRow& row : navig_schema) {
            known << navig_key(row);
        }
        known << QLatin1String(profile_name_key) << QLatin1String(profile_format_key);
        for (const QString& key : in_.allKeys()) {
            // Keys of the buttons group are told of as they are read.
            if (!known.contains(key) && !function_key.match(key).hasMatch() &&
                !key.startsWith(QLatin1String(buttons_group) + '/')) {
                warn_unused(key, "not a setting of this program");
            }
        }
    }

private:
    void read_function(const QString& key, const QVariant& name_value,
                       const QVariant& definition_value, PreferencesFile::Functions& functions,
                       const PreferencesFile::IsReserved& is_reserved) {
        CopyCString name, definition;
        if (!host_string_of(text_of(name_value), name) || !Manager::is_valid_function_name(name)) {
            warn_unused(key, "a custom function needs a name without blanks");
        } else if (!host_string_of(text_of(definition_value), definition)) {
            warn_unused(key, "the definition holds characters outside Latin-1");
        } else if (definition.length() > Manager::longest_definition) {
            warn_unused(key, "the definition is too long");
        } else if (is_reserved(name)) {
            warn_unused(key, "a built-in function has that name");
        } else {
            functions.emplace_back(name, definition);
        }
    }

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

    void read_number(const NavigSchemaRow& row, float& value) {
        const QString key = navig_key(row);
        if (!in_.contains(key)) {
            return;
        }
        bool is_number = false;
        const double number = text_of(in_.value(key)).trimmed().toDouble(&is_number);
        if (!is_number || !std::isfinite(number) || number < row.lowest || number > row.highest) {
            warn_bad_value(
                key,
                qPrintable(
                    QStringLiteral("not a number from %1 to %2").arg(row.lowest).arg(row.highest)));
            return;
        }
        value = static_cast<float>(number);
    }

    void warn_bad_value(const QString& key, const char* problem) {
        qWarning("%s: %s: %s; the default is used instead", qPrintable(file_), qPrintable(key),
                 problem);
        keep_problem(key, problem);
    }
    void warn_unused(const QString& key, const char* problem) {
        qWarning("%s: %s: %s; the entry is left out", qPrintable(file_), qPrintable(key), problem);
        keep_problem(key, problem);
    }
    void keep_problem(const QString& key, const char* problem) {
        const int line = line_of_key(lines_, key);
        problems_ << (line > 0 ? QStringLiteral("line %1: %2: %3").arg(line)
                               : QStringLiteral("%2: %3"))
                         .arg(key, QString::fromUtf8(problem));
        found_bad_values_ = true;
    }

    const QString& file_;
    QSettings& in_;
    std::vector<IniLine> lines_;
    QStringList& problems_;
    bool found_bad_values_ = false;
};

void write_section(QSettings& out, Section section, const PreferencesFile::Contents& contents) {
    switch (section) {
    case Section::navigation:
        for (const NavigSchemaRow& row : navig_schema) {
            const Manager::NavigValue& value = contents.navig[row.attribute];
            // Nine digits bring the same float back.
            out.setValue(navig_key(row), row.kind == NavigKind::choice
                                             ? qstring_of(value.text)
                                             : QString::number(value.number, 'g', 9));
        }
        break;
    case Section::buttons:
        for (long n = 1; n <= static_cast<long>(contents.buttons.size()); ++n) {
            out.setValue(QString::fromLatin1(buttons_group) + '/' + button_key(n),
                         qstring_of(contents.buttons[n - 1]));
        }
        break;
    case Section::functions: {
        out.beginWriteArray(QString::fromLatin1(functions_array));
        int i = 0;
        for (const auto& [name, definition] : contents.functions) {
            out.setArrayIndex(i++);
            out.setValue(function_name_key, qstring_of(name));
            out.setValue(function_definition_key, qstring_of(definition));
        }
        out.endArray();
        break;
    }
    case Section::profile:
        out.setValue(profile_name_key, contents.profile);
        out.setValue(profile_format_key, PreferencesFile::profile_format);
        break;
    }
}

// The profile whose settings a file holds: the one it names, or the first.
QString profile_of(const QString& file) {
    const QSettings in(file, QSettings::IniFormat);
    const QString name = text_of(in.value(profile_name_key));
    return Manager::is_valid_profile_name(name) ? name : Manager::default_profile_name();
}

// The lock (and the lock of its take-over) and the temporary files QSettings
// makes beside a file it writes.
void remove_leftovers_of(const QString& file) {
    const QFileInfo info(file);
    QDir folder = info.absoluteDir();
    const QStringList leftovers =
        folder.entryList({info.fileName() + QLatin1String(lock_suffix),
                          info.fileName() + QLatin1String(lock_suffix) + QStringLiteral(".rmlock"),
                          info.fileName() + QStringLiteral(".??????")},
                         QDir::Files | QDir::Hidden);
    for (const QString& name : leftovers) {
        folder.remove(name);
    }
}

} // namespace

void PreferencesFile::read(Contents& contents, const IsReserved& is_reserved) {
    problems_.clear();
    const QFileInfo info(path_);
    if (!info.exists()) {
        return;
    }
    // Checked before anything opens it: a FIFO would block the reader.
    if (!info.isFile()) {
        qWarning("%s: is not a regular file; it is not read, and the factory defaults are used",
                 qPrintable(path_));
        problems_ << QStringLiteral("not a regular file");
        read_cleanly_ = false;
        return;
    }
    if (!info.isReadable()) {
        qWarning("%s: cannot be read; the factory defaults are used, and the file is kept "
                 "until the settings are saved",
                 qPrintable(path_));
        problems_ << QStringLiteral("cannot be read");
        read_cleanly_ = false;
        return;
    }
    QSettings in(path_, QSettings::IniFormat);
    std::vector<IniLine> lines = lines_of(path_);
    const int line = first_unreadable_line(lines);
    if (in.status() != QSettings::NoError || line > 0) {
        problems_ << (line > 0 ? QStringLiteral("line %1: cannot be read").arg(line)
                               : QStringLiteral("cannot be read whole"));
        qWarning("%s: %s cannot be read; the rest is, and the file is kept as %s%s at the next "
                 "save",
                 qPrintable(path_),
                 qPrintable(line > 0 ? QStringLiteral("line %1").arg(line)
                                     : QStringLiteral("part of it")),
                 qPrintable(QFileInfo(path_).fileName()), backup_suffix);
        read_cleanly_ = false;
    }
    Reader reader(path_, in, std::move(lines), problems_);
    reader.read_profile(contents.profile);
    reader.read_navig(contents.navig);
    reader.read_buttons(contents.buttons);
    reader.read_functions(contents.functions, is_reserved);
    reader.warn_unknown_keys();
    read_cleanly_ = read_cleanly_ && !reader.found_bad_values();
}

bool PreferencesFile::fail(const QString& reason) {
    error_ = reason;
    qWarning("%s: %s; the settings are not saved", qPrintable(path_), qPrintable(reason));
    return false;
}

bool PreferencesFile::write(Section section, const Contents& contents) {
    return write(std::vector<Section>{section}, contents);
}

bool PreferencesFile::write(const std::vector<Section>& sections, const Contents& contents) {
    error_.clear();
    QString target;
    if (!find_target(target)) {
        return false;
    }
    QLockFile lock(target + QLatin1String(lock_suffix));
    if (!take_lock(lock)) {
        return false;
    }
    // QLockFile guards the take-over of a dead owner's lock with a lock of
    // its own, which a save killed at that moment leaves; ours now, it goes.
    QFile::remove(target + QLatin1String(lock_suffix) + QStringLiteral(".rmlock"));
    // A file that holds another profile's settings now is not theirs to
    // take: this profile's are in its own file.
    const bool names_profile =
        std::find(sections.begin(), sections.end(), Section::profile) != sections.end();
    const bool of_settings = std::any_of(sections.begin(), sections.end(), [](Section section) {
        return section == Section::navigation || section == Section::buttons;
    });
    if (of_settings && !names_profile && QFileInfo::exists(target) &&
        profile_of(target) != contents.profile) {
        return true;
    }
    // One staging name per file: what a killed save left is replaced.
    const QString staging = target + QLatin1String(staging_suffix);
    if (!stage(staging, target, sections, contents) || !keep_backup(target)) {
        QFile::remove(staging);
        return false;
    }
    if (std::rename(QFile::encodeName(staging).constData(),
                    QFile::encodeName(target).constData()) != 0) {
        QFile::remove(staging);
        return fail(QStringLiteral("cannot be replaced"));
    }
    read_cleanly_ = true;
    return true;
}

// One save at a time: a save waits for another program's to end, a few
// milliseconds at a time, the application's events going on meanwhile.
// A lock whose owner is gone is taken over; a live owner's is never broken
// by its age, only one whose owner cannot be told (a save killed as it made
// the lock) once the wait is over.
bool PreferencesFile::take_lock(QLockFile& lock) {
    lock.setStaleLockTime(0);
    QElapsedTimer waited;
    waited.start();
    while (!lock.tryLock(0)) {
        if (lock.error() != QLockFile::LockFailedError) {
            return fail(QStringLiteral("cannot lock it beside itself"));
        }
        if (waited.elapsed() >= lock_wait_ms) {
            qint64 pid = 0;
            QString host, application;
            if (!lock.getLockInfo(&pid, &host, &application) && lock.removeStaleLockFile() &&
                lock.tryLock(0)) {
                return true;
            }
            return fail(QStringLiteral("another program is saving it"));
        }
        let_others_on();
    }
    return true;
}

// The file a save replaces, its folder made: a link's target, since a link
// stays a link.
bool PreferencesFile::find_target(QString& target) {
    const QFileInfo given(path_);
    target = given.isSymLink() ? given.canonicalFilePath() : given.absoluteFilePath();
    if (target.isEmpty()) {
        return fail(
            QStringLiteral("is a link to %1, which does not exist").arg(given.symLinkTarget()));
    }
    const QFileInfo info(target);
    if (info.exists() && !info.isFile()) {
        return fail(QStringLiteral("is not a regular file"));
    }
    if (!QDir().mkpath(info.absolutePath())) {
        return fail(QStringLiteral("cannot create its folder"));
    }
    return true;
}

// Writes the new file beside the target: the section from `contents`, then
// every other line of the target as it stands.
bool PreferencesFile::stage(const QString& staging, const QString& target,
                            const std::vector<Section>& sections, const Contents& contents) {
    QFile::remove(staging);
    // QSettings locks the staging file and writes it through a temporary
    // file of its own: under our lock nobody else uses them, so whatever of
    // them a killed save left goes (a lock left there would stall QSettings
    // for half a minute).
    remove_leftovers_of(staging);
    QFile staging_file(staging);
    if (!staging_file.open(QIODevice::WriteOnly)) {
        return fail(QStringLiteral("cannot write beside it (%1)").arg(staging_file.errorString()));
    }
    staging_file.close();
    // Keep the old file's permissions; a new one gets the usual ones.
    const QFileInfo info(target);
    staging_file.setPermissions(info.exists() ? info.permissions()
                                              : QFile::ReadOwner | QFile::WriteOwner |
                                                    QFile::ReadGroup | QFile::ReadOther);
    {
        QSettings out(staging, QSettings::IniFormat);
        // The rename makes the save atomic; QSettings' own would leave a
        // temporary file of its own behind a killed save.
        out.setAtomicSyncRequired(false);
        for (const Section section : sections) {
            write_section(out, section, contents);
        }
        out.sync();
        if (out.status() != QSettings::NoError) {
            return fail(QStringLiteral("cannot be written"));
        }
    }
    QStringList groups;
    for (const Section section : sections) {
        groups << QLatin1String(group_of(section));
    }
    if (!staging_file.open(QIODevice::Append) ||
        staging_file.write('\n' + lines_outside_groups(lines_of(target), groups)) < 0 ||
        !staging_file.flush()) {
        return fail(QStringLiteral("cannot be written"));
    }
    return true;
}

// A file that did not read cleanly is kept before a save replaces it.
bool PreferencesFile::keep_backup(const QString& target) {
    if (read_cleanly_ || !QFileInfo::exists(target)) {
        return true;
    }
    const QString backup = target + QLatin1String(backup_suffix);
    QFile::remove(backup);
    if (!QFile::copy(target, backup)) {
        return fail(QStringLiteral("cannot keep the old file as %1").arg(backup));
    }
    return true;
}

QString PreferencesFile::signature() const {
    const QFileInfo info(QFileInfo(path_).canonicalFilePath());
    return info.exists() ? QStringLiteral("%1 %2 %3")
                               .arg(info.size())
                               .arg(info.lastModified().toMSecsSinceEpoch())
                               .arg(info.metadataChangeTime().toMSecsSinceEpoch())
                         : QString();
}
