#include "Kestrava_spaceWare.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QStandardPaths>
#include <QtDebug>
#include <algorithm>
#include <set>

#include "NavigSchema.h"
#include "PreferencesFile.h"

namespace {
// ---------------------------------------------------------------- choices and functions

const CString group_strings[4][3] = {
    {"x", "y", "z"},
    {"positive", "negative", ""},
    {"clockwise", "counterclockwise", ""},
    {"off", "on", ""},
};
const int group_sizes[4] = {3, 2, 2, 2};
constexpr int group_count = 4;

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
    , preferences_file_(std::make_unique<PreferencesFile>(file))
    , custom_function_names_(std::make_unique<StringSetting>(CString())) {
    const NavigValues defaults = navig_defaults();
    for (const NavigSchemaRow& row : navig_schema) {
        const NavigValue& value = defaults[row.attribute];
        if (row.kind == NavigKind::choice) {
            navig_[row.attribute] = std::make_unique<StringSetting>(value.text);
        } else {
            navig_[row.attribute] = std::make_unique<FloatSetting>(value.number);
        }
    }
    for (long n = 1; n <= std::max(0L, button_count); ++n) {
        buttons_.push_back(std::make_unique<StringSetting>(button_default(n)));
    }
    add_builtin_functions();
    read_file();
    apply_navig(navig_preferences_, true);
    apply_buttons(button_preferences_, true);
    publish_custom_function_names();
    watch_file();
}

SpaceWarePreferencesManager::~SpaceWarePreferencesManager() = default;

QString SpaceWarePreferencesManager::default_file() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tarvik/Kestrava_spaceWare.ini");
}

SpaceWarePreferencesManager::NavigValues SpaceWarePreferencesManager::navig_defaults() {
    NavigValues values;
    for (const NavigSchemaRow& row : navig_schema) {
        NavigValue& value = values[row.attribute];
        if (row.kind == NavigKind::choice) {
            value.text = index_to_string(row.group, row.default_choice);
        } else {
            value.number = row.default_number;
        }
    }
    return values;
}

CopyCString SpaceWarePreferencesManager::button_default(long n) {
    const long known = static_cast<long>(std::size(default_button_functions));
    return n <= known ? CopyCString(default_button_functions[n - 1]) : no_action_name();
}

SpaceWarePreferencesManager::ButtonValues SpaceWarePreferencesManager::button_defaults() const {
    ButtonValues names;
    for (long n = 1; n <= button_count(); ++n) {
        names.push_back(button_default(n));
    }
    return names;
}

// ---------------------------------------------------------------- access

SettingsValue* SpaceWarePreferencesManager::navig_value(NavigAttribute attribute) const {
    const int a = static_cast<int>(attribute);
    return a >= 0 && a < navig_count ? navig_[a].get() : nullptr;
}

StringSetting* SpaceWarePreferencesManager::navig_string(NavigAttribute attribute) const {
    return dynamic_cast<StringSetting*>(navig_value(attribute));
}

FloatSetting* SpaceWarePreferencesManager::navig_float(NavigAttribute attribute) const {
    return dynamic_cast<FloatSetting*>(navig_value(attribute));
}

StringSetting* SpaceWarePreferencesManager::button_value(long n) const {
    return n >= 1 && n <= button_count() ? buttons_[n - 1].get() : nullptr;
}

const CString& SpaceWarePreferencesManager::index_to_string(AttributeGroup group, int index) {
    static const CString none;
    const int g = static_cast<int>(group);
    if (g < 0 || g >= group_count || index < 0 || index >= group_sizes[g]) {
        return none;
    }
    return group_strings[g][index];
}

int SpaceWarePreferencesManager::string_to_index(AttributeGroup group, const CString& text) {
    const int g = static_cast<int>(group);
    for (int i = 0; g >= 0 && g < group_count && i < group_sizes[g]; ++i) {
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

bool SpaceWarePreferencesManager::is_builtin_function(const CString& name) const {
    const auto found = functions_.find(name.c_str());
    return found != functions_.end() && !found->second.custom;
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

bool SpaceWarePreferencesManager::add_or_edit_custom_function(const CString& name,
                                                              const CString& definition) {
    if (!is_valid_function_name(name)) {
        qWarning("Custom function name \"%s\" refused: it is empty or holds a blank", name.c_str());
        return false;
    }
    if (is_builtin_function(name)) {
        qWarning("Custom function name \"%s\" refused: a built-in function has it", name.c_str());
        return false;
    }
    const auto found = functions_.find(name.c_str());
    const bool is_new = found == functions_.end();
    if (is_new) {
        add_function(name, definition, true);
    } else {
        found->second.definition->set(definition);
    }
    const bool saved =
        write_file(PreferencesSection::functions, navig_preferences_, button_preferences_);
    if (is_new) {
        publish_custom_function_names();
    }
    return saved;
}

bool SpaceWarePreferencesManager::remove_custom_function(const CString& name) {
    if (!is_custom_function(name)) {
        return true;
    }
    functions_.erase(name.c_str());
    const bool saved =
        write_file(PreferencesSection::functions, navig_preferences_, button_preferences_);
    publish_custom_function_names();
    return saved;
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
    for (const NavigSchemaRow& row : navig_schema) {
        if (row.kind == NavigKind::choice) {
            navig_string(row.attribute)->assign(values[row.attribute].text);
        } else {
            navig_float(row.attribute)->assign(values[row.attribute].number);
        }
    }
    for (const auto& setting : navig_) {
        setting->mark_source(from_preferences, !from_preferences);
    }
    for (const auto& setting : navig_) {
        setting->notify(nullptr);
    }
}

void SpaceWarePreferencesManager::apply_buttons(const ButtonValues& names, bool from_preferences) {
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
    for (const NavigSchemaRow& row : navig_schema) {
        if (row.kind == NavigKind::choice) {
            values[row.attribute].text = navig_string(row.attribute)->get();
        } else {
            values[row.attribute].number = navig_float(row.attribute)->get();
        }
    }
    return values;
}

SpaceWarePreferencesManager::ButtonValues SpaceWarePreferencesManager::current_buttons() const {
    ButtonValues names;
    for (const auto& setting : buttons_) {
        names.push_back(setting->get());
    }
    return names;
}

bool SpaceWarePreferencesManager::save_navig_values() {
    const NavigValues values = current_navig();
    if (!write_file(PreferencesSection::navigation, values, button_preferences_)) {
        return false;
    }
    navig_preferences_ = values;
    for (const NavigSchemaRow& row : navig_schema) {
        if (row.kind == NavigKind::number) {
            static_cast<FloatValue*>(navig_float(row.attribute)->value())->clear_changed();
        }
    }
    return true;
}

bool SpaceWarePreferencesManager::save_button_values() {
    const ButtonValues names = current_buttons();
    if (!write_file(PreferencesSection::buttons, navig_preferences_, names)) {
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
    apply_buttons(button_defaults(), false);
}

// ---------------------------------------------------------------- the file

void SpaceWarePreferencesManager::read_file() {
    for (const auto& [name, definition] :
         read_preferences(navig_preferences_, button_preferences_)) {
        add_function(name, definition, true);
    }
    known_signature_ = preferences_file_->signature();
}

SpaceWarePreferencesManager::FunctionValues
SpaceWarePreferencesManager::read_preferences(NavigValues& navig, ButtonValues& buttons) {
    PreferencesFile::Contents contents{navig_defaults(), button_defaults(), {}};
    preferences_file_->read(contents,
                            [this](const CString& name) { return is_builtin_function(name); });
    navig = contents.navig;
    buttons = contents.buttons;
    return contents.functions;
}

bool SpaceWarePreferencesManager::write_file(PreferencesSection section, const NavigValues& navig,
                                             const ButtonValues& buttons) {
    PreferencesFile::Contents contents{navig, buttons, {}};
    for (const auto& [name, function] : functions_) {
        if (function.custom) {
            contents.functions.emplace_back(name.c_str(), function.definition->get());
        }
    }
    const bool saved = preferences_file_->write(section, contents);
    if (saved) {
        known_signature_ = preferences_file_->signature();
    }
    return saved;
}

const QString& SpaceWarePreferencesManager::save_error() const {
    return preferences_file_->error();
}

// The folder is watched too: a save replaces the file, and a watch on the
// old one ends with it.
void SpaceWarePreferencesManager::watch_file() {
    if (!QCoreApplication::instance()) {
        return;
    }
    watcher_ = std::make_unique<QFileSystemWatcher>();
    const QFileInfo info(file_);
    if (QDir(info.absolutePath()).exists()) {
        watcher_->addPath(info.absolutePath());
    }
    if (info.exists()) {
        watcher_->addPath(info.absoluteFilePath());
    }
    const auto changed = [this](const QString&) { file_may_have_changed(); };
    QObject::connect(watcher_.get(), &QFileSystemWatcher::fileChanged, changed);
    QObject::connect(watcher_.get(), &QFileSystemWatcher::directoryChanged, changed);
}

void SpaceWarePreferencesManager::file_may_have_changed() {
    const QFileInfo info(file_);
    if (info.exists() && !watcher_->files().contains(info.absoluteFilePath())) {
        watcher_->addPath(info.absoluteFilePath());
    }
    const QString signature = preferences_file_->signature();
    if (signature == known_signature_ || signature.isEmpty()) {
        return;
    }
    known_signature_ = signature;
    NavigValues navig;
    ButtonValues buttons;
    const FunctionValues functions = read_preferences(navig, buttons);
    bring_in(navig, buttons, functions);
}

void SpaceWarePreferencesManager::bring_in(const NavigValues& navig, const ButtonValues& buttons,
                                           const FunctionValues& functions) {
    NavigValues followed = current_navig();
    for (const NavigSchemaRow& row : navig_schema) {
        NavigValue& value = followed[row.attribute];
        const NavigValue& saved = navig_preferences_[row.attribute];
        if (row.kind == NavigKind::choice ? value.text == saved.text
                                          : value.number == saved.number) {
            value = navig[row.attribute];
        }
    }
    navig_preferences_ = navig;
    apply_navig(followed, true);

    ButtonValues followed_buttons = current_buttons();
    for (size_t i = 0; i < followed_buttons.size(); ++i) {
        if (followed_buttons[i] == button_preferences_[i]) {
            followed_buttons[i] = buttons[i];
        }
    }
    button_preferences_ = buttons;
    apply_buttons(followed_buttons, true);

    std::set<std::string> kept;
    for (const auto& [name, definition] : functions) {
        kept.insert(name.c_str());
        const auto found = functions_.find(name.c_str());
        if (found == functions_.end()) {
            add_function(name, definition, true);
        } else if (found->second.custom) {
            found->second.definition->set(definition);
        }
    }
    std::erase_if(functions_, [&kept](const auto& entry) {
        return entry.second.custom && !kept.count(entry.first);
    });
    publish_custom_function_names();
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
