#include "Kestrava_spaceWare.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QtDebug>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
// ---------------------------------------------------------------- names and keys

const CString group_strings[3][3] = {
    {"x", "y", "z"},
    {"positive", "negative", ""},
    {"clockwise", "counterclockwise", ""},
};
const int group_sizes[3] = {3, 2, 2};

// The file's key and choice group of each string navigation setting.
struct NavigKey {
    const char* key;
    AttributeGroup group;
};
const NavigKey navig_keys[SpaceWarePreferencesManager::navig_string_count] = {
    {"navigation/x_translation_axis", axis_group},
    {"navigation/y_translation_axis", axis_group},
    {"navigation/z_translation_axis", axis_group},
    {"navigation/x_translation_direction", direction_group},
    {"navigation/y_translation_direction", direction_group},
    {"navigation/z_translation_direction", direction_group},
    {"navigation/x_rotation_direction", rotation_group},
    {"navigation/y_rotation_direction", rotation_group},
    {"navigation/z_rotation_direction", rotation_group},
};
const char* const sensitivity_keys[2] = {"navigation/translation_sensitivity",
                                         "navigation/rotation_sensitivity"};
const char* const buttons_group = "buttons";
const char* const button_key_prefix = "button_";
const char* const functions_array = "custom_functions";
const char* const function_name_key = "name";
const char* const function_definition_key = "definition";

constexpr double lowest_sensitivity = 0.1;
constexpr double highest_sensitivity = 10.0;

struct BuiltinFunction {
    const char* name;
    const char* command;
};
const BuiltinFunction builtin_functions[] = {
    {"No_Action", ""},
    {"Fit_All", "view fit all"},
    {"Fit_Selection", "view fit selection"},
    {"View_Front", "view front"},
    {"View_Back", "view back"},
    {"View_Left", "view left"},
    {"View_Right", "view right"},
    {"View_Top", "view top"},
    {"View_Bottom", "view bottom"},
    {"View_Isometric", "view isometric"},
    {"Reset_View", "view reset"},
    {"Toggle_Projection", "view projection toggle"},
};
// The functions of the first device buttons out of the box; the rest do nothing.
const char* const default_button_functions[] = {"Fit_All", "View_Isometric"};

SpaceWarePreferencesManager::CommandHandler command_handler = nullptr;

// ---------------------------------------------------------------- text helpers

// A value as written; an unquoted comma makes QSettings read a list.
QString text_of(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", "));
    }
    return value.toString();
}

void warn_bad_value(const QString& file, const QString& key, const char* problem) {
    qWarning("%s: %s: %s; the default is used instead", qPrintable(file), qPrintable(key), problem);
}

// The device button a key of the buttons group names, or 0.
long button_of_key(const QString& key) {
    static const QRegularExpression pattern(QStringLiteral("^button_([1-9][0-9]{0,5})$"));
    const QRegularExpressionMatch match = pattern.match(key);
    return match.hasMatch() ? match.captured(1).toLong() : 0;
}

// Runs a function's command when the device triggers it.
class FunctionAction : public Action {
public:
    FunctionAction(const SpaceWarePreferencesManager* manager, const CString& name)
        : manager_(manager)
        , name_(name) {}
    void execute() override { manager_->run_function(name_); }

private:
    const SpaceWarePreferencesManager* manager_;
    CopyCString name_;
};
} // namespace

// ---------------------------------------------------------------- construction

SpaceWarePreferencesManager::SpaceWarePreferencesManager(const QString& file, long button_count)
    : file_(file)
    , custom_function_names_(std::make_unique<StringSetting>(CString())) {
    const NavigValues defaults = navig_defaults();
    for (int a = 0; a < navig_string_count; ++a) {
        navig_[a] = std::make_unique<StringSetting>(defaults.strings[a]);
    }
    for (int s = 0; s < navig_count - navig_string_count; ++s) {
        navig_[navig_string_count + s] = std::make_unique<FloatSetting>(defaults.sensitivities[s]);
    }
    for (long n = 1; n <= std::max(0L, button_count); ++n) {
        buttons_.push_back(std::make_unique<StringSetting>(button_default(n)));
    }
    add_builtin_functions();
    read_file();
    apply_navig(navig_preferences_, true);
    apply_buttons(button_preferences_, true);
    publish_custom_function_names();
}

SpaceWarePreferencesManager::~SpaceWarePreferencesManager() = default;

QString SpaceWarePreferencesManager::default_file() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tarvik/Kestrava_spaceWare.ini");
}

SpaceWarePreferencesManager::NavigValues SpaceWarePreferencesManager::navig_defaults() {
    return NavigValues{
        {
            group_strings[axis_group][0],
            group_strings[axis_group][1],
            group_strings[axis_group][2],
            group_strings[direction_group][0],
            group_strings[direction_group][0],
            group_strings[direction_group][0],
            group_strings[rotation_group][0],
            group_strings[rotation_group][0],
            group_strings[rotation_group][0],
        },
        {1.0f, 1.0f},
    };
}

CopyCString SpaceWarePreferencesManager::button_default(long n) {
    const long known = static_cast<long>(std::size(default_button_functions));
    return n <= known ? CopyCString(default_button_functions[n - 1]) : no_action_name();
}

// ---------------------------------------------------------------- access

SettingsValue* SpaceWarePreferencesManager::navig_value(NavigAttribute attribute) const {
    const int a = static_cast<int>(attribute);
    return a >= 0 && a < navig_count ? navig_[a].get() : nullptr;
}

StringSetting* SpaceWarePreferencesManager::navig_string(int attribute) const {
    return static_cast<StringSetting*>(navig_[attribute].get());
}

FloatSetting* SpaceWarePreferencesManager::navig_float(int attribute) const {
    return static_cast<FloatSetting*>(navig_[attribute].get());
}

StringSetting* SpaceWarePreferencesManager::button_value(long n) const {
    return n >= 1 && n <= button_count() ? buttons_[n - 1].get() : nullptr;
}

const CString& SpaceWarePreferencesManager::index_to_string(AttributeGroup group, int index) {
    static const CString none;
    const int g = static_cast<int>(group);
    if (g < 0 || g > 2 || index < 0 || index >= group_sizes[g]) {
        return none;
    }
    return group_strings[g][index];
}

int SpaceWarePreferencesManager::string_to_index(AttributeGroup group, const CString& text) {
    const int g = static_cast<int>(group);
    for (int i = 0; g >= 0 && g <= 2 && i < group_sizes[g]; ++i) {
        if (group_strings[g][i] == text) {
            return i;
        }
    }
    return -1;
}

const CString& SpaceWarePreferencesManager::no_action_name() {
    static const CString name(builtin_functions[0].name);
    return name;
}

bool SpaceWarePreferencesManager::is_valid_function_name(const CString& name) {
    const QString text = qstring_of(name);
    return !text.isEmpty() &&
           std::none_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

// ---------------------------------------------------------------- functions

void SpaceWarePreferencesManager::add_builtin_functions() {
    for (const BuiltinFunction& function : builtin_functions) {
        add_function(function.name, function.command, false);
    }
}

void SpaceWarePreferencesManager::add_function(const CString& name, const CString& definition,
                                               bool custom) {
    Function& function = functions_[name.c_str()];
    function.action = SmartResource<Action>(new FunctionAction(this, name));
    function.definition = std::make_unique<FunctionDefinition>(definition);
    function.custom = custom;
}

FunctionNameIterator SpaceWarePreferencesManager::function_name_iterator() const {
    FunctionNameIterator names;
    for (const auto& [name, function] : functions_) {
        names.add(CopyCString(name.c_str()), {function.action, function.definition.get()});
    }
    return names;
}

CopyCString SpaceWarePreferencesManager::get_function_definition(const CString& name) const {
    const auto found = functions_.find(name.c_str());
    return found == functions_.end() ? CopyCString() : found->second.definition->get();
}

bool SpaceWarePreferencesManager::is_custom_function(const CString& name) const {
    const auto found = functions_.find(name.c_str());
    return found != functions_.end() && found->second.custom;
}

void SpaceWarePreferencesManager::add_or_edit_custom_function(const CString& name,
                                                              const CString& definition) {
    if (!is_valid_function_name(name)) {
        qWarning("Custom function name \"%s\" refused: it is empty or holds a blank", name.c_str());
        return;
    }
    const auto found = functions_.find(name.c_str());
    if (found != functions_.end() && !found->second.custom) {
        qWarning("Custom function name \"%s\" refused: a built-in function has it", name.c_str());
        return;
    }
    if (found != functions_.end()) {
        found->second.definition->set(definition);
        write_file(navig_preferences_, button_preferences_);
        return;
    }
    add_function(name, definition, true);
    write_file(navig_preferences_, button_preferences_);
    publish_custom_function_names();
}

void SpaceWarePreferencesManager::remove_custom_function(const CString& name) {
    if (!is_custom_function(name)) {
        return;
    }
    functions_.erase(name.c_str());
    write_file(navig_preferences_, button_preferences_);
    publish_custom_function_names();
}

void SpaceWarePreferencesManager::publish_custom_function_names() {
    std::string joined;
    for (const auto& [name, function] : functions_) {
        if (function.custom) {
            joined += (joined.empty() ? "" : " ") + name;
        }
    }
    custom_function_names_->set(CString(joined.c_str()));
}

void SpaceWarePreferencesManager::set_command_handler(CommandHandler handler) {
    command_handler = handler;
}

void SpaceWarePreferencesManager::run_function(const CString& name) const {
    const CopyCString command = get_function_definition(name);
    if (command_handler && !command.is_empty()) {
        command_handler(command);
    }
}

// ---------------------------------------------------------------- save and restore

// Every setting is stored first and notified after, so that observers which
// keep settings consistent with each other see only the final values.
void SpaceWarePreferencesManager::apply_navig(const NavigValues& values, bool from_preferences) {
    for (int a = 0; a < navig_string_count; ++a) {
        navig_string(a)->assign(values.strings[a]);
    }
    for (int s = 0; s < navig_count - navig_string_count; ++s) {
        navig_float(navig_string_count + s)->assign(values.sensitivities[s]);
    }
    for (const auto& setting : navig_) {
        setting->mark_source(from_preferences, !from_preferences);
    }
    for (const auto& setting : navig_) {
        setting->notify(nullptr);
    }
}

void SpaceWarePreferencesManager::apply_buttons(const std::vector<CopyCString>& names,
                                                bool from_preferences) {
    for (long n = 1; n <= button_count(); ++n) {
        StringSetting* setting = button_value(n);
        setting->assign(names[n - 1]);
        setting->mark_source(from_preferences, !from_preferences);
    }
    for (const auto& setting : buttons_) {
        setting->notify(nullptr);
    }
}

SpaceWarePreferencesManager::NavigValues SpaceWarePreferencesManager::current_navig() const {
    NavigValues values;
    for (int a = 0; a < navig_string_count; ++a) {
        values.strings[a] = navig_string(a)->get();
    }
    for (int s = 0; s < navig_count - navig_string_count; ++s) {
        values.sensitivities[s] = navig_float(navig_string_count + s)->get();
    }
    return values;
}

std::vector<CopyCString> SpaceWarePreferencesManager::current_buttons() const {
    std::vector<CopyCString> names;
    for (const auto& setting : buttons_) {
        names.push_back(setting->get());
    }
    return names;
}

bool SpaceWarePreferencesManager::save_navig_values() {
    const NavigValues values = current_navig();
    if (!write_file(values, button_preferences_)) {
        return false;
    }
    navig_preferences_ = values;
    for (int s = 0; s < navig_count - navig_string_count; ++s) {
        static_cast<FloatValue*>(navig_float(navig_string_count + s)->value())->clear_changed();
    }
    return true;
}

bool SpaceWarePreferencesManager::save_button_values() {
    const std::vector<CopyCString> names = current_buttons();
    if (!write_file(navig_preferences_, names)) {
        return false;
    }
    button_preferences_ = names;
    return true;
}

void SpaceWarePreferencesManager::reset_navig_settings() {
    apply_navig(navig_preferences_, true);
}

void SpaceWarePreferencesManager::reset_navig_defaults() {
    apply_navig(navig_defaults(), false);
}

void SpaceWarePreferencesManager::reset_button_settings() {
    apply_buttons(button_preferences_, true);
}

void SpaceWarePreferencesManager::reset_button_defaults() {
    std::vector<CopyCString> names;
    for (long n = 1; n <= button_count(); ++n) {
        names.push_back(button_default(n));
    }
    apply_buttons(names, false);
}

// ---------------------------------------------------------------- the file

namespace {
// Reads one preferences file, checking every value; what is bad keeps its
// default, with a warning naming the file and the key.
class PreferencesReader {
public:
    PreferencesReader(const QString& file, QSettings& settings)
        : file_(file)
        , in_(settings) {}

    void read_choice(const char* key, AttributeGroup group, CopyCString& value) {
        if (!in_.contains(QString::fromLatin1(key))) {
            return;
        }
        CopyCString text;
        const bool representable = host_string_of(text_of(in_.value(key)), text);
        if (!representable || SpaceWarePreferencesManager::string_to_index(group, text) < 0) {
            warn_bad_value(file_, key, "not one of the known choices");
            return;
        }
        value = text;
    }

    void read_sensitivity(const char* key, float& value) {
        if (!in_.contains(QString::fromLatin1(key))) {
            return;
        }
        bool is_number = false;
        const double number = text_of(in_.value(key)).trimmed().toDouble(&is_number);
        if (!is_number || !std::isfinite(number) || number < lowest_sensitivity ||
            number > highest_sensitivity) {
            warn_bad_value(file_, key, "not a number from 0.1 to 10");
            return;
        }
        value = static_cast<float>(number);
    }

    void read_buttons(std::vector<CopyCString>& names) {
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
                !SpaceWarePreferencesManager::is_valid_function_name(name)) {
                warn_bad_value(file_, full_key, "not a function name");
                continue;
            }
            names[n - 1] = name;
        }
        in_.endGroup();
    }

    template <class Store>
    void read_functions(Store store) {
        const int count = in_.beginReadArray(QString::fromLatin1(functions_array));
        for (int i = 0; i < count; ++i) {
            in_.setArrayIndex(i);
            const QString key = QStringLiteral("%1/%2").arg(functions_array).arg(i + 1);
            CopyCString name, definition;
            if (!host_string_of(text_of(in_.value(function_name_key)), name) ||
                !SpaceWarePreferencesManager::is_valid_function_name(name)) {
                warn_unused(key, "a custom function needs a name without blanks");
                continue;
            }
            if (!host_string_of(text_of(in_.value(function_definition_key)), definition)) {
                warn_unused(key, "the definition holds characters outside Latin-1");
                continue;
            }
            if (!store(name, definition)) {
                warn_unused(key, "a built-in function has that name");
            }
        }
        in_.endArray();
    }

private:
    void warn_unused(const QString& key, const char* problem) {
        qWarning("%s: %s: %s; the entry is left out", qPrintable(file_), qPrintable(key), problem);
    }

    const QString& file_;
    QSettings& in_;
};

bool is_axis_permutation(const std::array<CopyCString, 9>& strings) {
    bool seen[3] = {false, false, false};
    for (int a = 0; a < 3; ++a) {
        const int k = SpaceWarePreferencesManager::string_to_index(axis_group, strings[a]);
        if (k < 0 || seen[k]) {
            return false;
        }
        seen[k] = true;
    }
    return true;
}
} // namespace

void SpaceWarePreferencesManager::read_file() {
    navig_preferences_ = navig_defaults();
    for (long n = 1; n <= button_count(); ++n) {
        button_preferences_.push_back(button_default(n));
    }
    const QFileInfo info(file_);
    if (!info.exists()) {
        return;
    }
    QSettings in(file_, QSettings::IniFormat);
    if (!info.isReadable() || !info.isFile() || in.status() != QSettings::NoError) {
        qWarning("%s: cannot be read; the factory defaults are used, and the file is kept "
                 "until the settings are saved",
                 qPrintable(file_));
        return;
    }
    PreferencesReader reader(file_, in);
    for (int a = 0; a < navig_string_count; ++a) {
        reader.read_choice(navig_keys[a].key, navig_keys[a].group, navig_preferences_.strings[a]);
    }
    if (!is_axis_permutation(navig_preferences_.strings)) {
        qWarning("%s: navigation/x_translation_axis, y_translation_axis, z_translation_axis: "
                 "not each of x, y and z once; the defaults are used instead",
                 qPrintable(file_));
        for (int a = 0; a < 3; ++a) {
            navig_preferences_.strings[a] = navig_defaults().strings[a];
        }
    }
    for (int s = 0; s < navig_count - navig_string_count; ++s) {
        reader.read_sensitivity(sensitivity_keys[s], navig_preferences_.sensitivities[s]);
    }
    reader.read_buttons(button_preferences_);
    reader.read_functions([this](const CString& name, const CString& definition) {
        if (functions_.count(name.c_str()) && !functions_[name.c_str()].custom) {
            return false;
        }
        add_function(name, definition, true);
        return true;
    });
}

// Writes a new file beside the old one and puts it in its place in one
// step, so that a crash leaves either the old file or the new one.
bool SpaceWarePreferencesManager::write_file(const NavigValues& navig,
                                             const std::vector<CopyCString>& buttons) const {
    const QFileInfo info(file_);
    if (!QDir().mkpath(info.absolutePath())) {
        qWarning("%s: cannot create its folder; the settings are not saved", qPrintable(file_));
        return false;
    }
    QTemporaryFile staging(info.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!staging.open()) {
        qWarning("%s: cannot write beside it (%s); the settings are not saved", qPrintable(file_),
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
        for (int a = 0; a < navig_string_count; ++a) {
            out.setValue(navig_keys[a].key, qstring_of(navig.strings[a]));
        }
        for (int s = 0; s < navig_count - navig_string_count; ++s) {
            // Nine digits bring the same float back.
            out.setValue(sensitivity_keys[s], QString::number(navig.sensitivities[s], 'g', 9));
        }
        for (long n = 1; n <= static_cast<long>(buttons.size()); ++n) {
            out.setValue(QStringLiteral("%1/%2%3").arg(buttons_group, button_key_prefix).arg(n),
                         qstring_of(buttons[n - 1]));
        }
        out.beginWriteArray(QString::fromLatin1(functions_array));
        int i = 0;
        for (const auto& [name, function] : functions_) {
            if (function.custom) {
                out.setArrayIndex(i++);
                out.setValue(function_name_key, QString::fromLatin1(name.c_str()));
                out.setValue(function_definition_key, qstring_of(function.definition->get()));
            }
        }
        out.endArray();
        out.sync();
        if (out.status() != QSettings::NoError) {
            qWarning("%s: cannot be written; the settings are not saved", qPrintable(file_));
            return false;
        }
    }
    if (std::rename(QFile::encodeName(staging.fileName()).constData(),
                    QFile::encodeName(info.absoluteFilePath()).constData()) != 0) {
        qWarning("%s: cannot be replaced; the settings are not saved", qPrintable(file_));
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- library

namespace {
QString configured_file;
long configured_button_count = SpaceWarePreferencesManager::default_button_count;
} // namespace

SpaceWareLib::SpaceWareLib(const QString& file, long button_count)
    : preferences_manager_(std::make_unique<SpaceWarePreferencesManager>(
          file.isEmpty() ? SpaceWarePreferencesManager::default_file() : file, button_count)) {}

SpaceWareLib* SpaceWareLib::instance() {
    // Never destroyed: the settings must outlive every dialog bound to them.
    static auto* lib = new SpaceWareLib(configured_file, configured_button_count);
    return lib;
}

void SpaceWareLib::configure(const QString& file, long button_count) {
    configured_file = file;
    configured_button_count = button_count;
}

TARVIK_DEFINE_LIBRARY_INIT(KestravaspaceWare_init, nullptr)
