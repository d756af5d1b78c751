#include "Kestrava_spaceWare.h"

#include <QStandardPaths>
#include <QtDebug>
#include <algorithm>

#include "FunctionRegistry.h"
#include "NavigSchema.h"
#include "PreferencesFile.h"
#include "PreferencesSync.h"

namespace {
// The functions of the first device buttons out of the box; the rest do nothing.
const char* const default_button_functions[] = {"Fit_All", "View_Isometric"};
} // namespace

// ---------------------------------------------------------------- construction

SpaceWarePreferencesManager::SpaceWarePreferencesManager(const QString& file, long button_count)
    : file_(file)
    , preferences_file_(std::make_unique<PreferencesFile>(file))
    , functions_(std::make_unique<FunctionRegistry>()) {
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
    functions_->replace_custom(read_preferences(navig_preferences_, button_preferences_));
    apply_navig(navig_preferences_, Source::preferences);
    apply_buttons(button_preferences_, Source::preferences);
    functions_->publish_names();
    sync_ =
        std::make_unique<PreferencesSync>(*preferences_file_, [this] { bring_in_other_save(); });
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
            value.text = choice_string(row.group, row.default_choice);
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

int SpaceWarePreferencesManager::navig_choice(NavigAttribute attribute) const {
    const StringSetting* setting = navig_string(attribute);
    return setting ? choice_index(navig_schema[attribute].group, setting->get()) : -1;
}

void SpaceWarePreferencesManager::set_navig_choice(NavigAttribute attribute, int index) {
    if (StringSetting* setting = navig_string(attribute)) {
        setting->set(choice_string(navig_schema[attribute].group, index));
    }
}

void SpaceWarePreferencesManager::set_navig_choices(
    const std::vector<std::pair<NavigAttribute, int>>& choices) {
    for (const auto& [attribute, index] : choices) {
        navig_string(attribute)->assign(choice_string(navig_schema[attribute].group, index));
    }
    for (const auto& [attribute, index] : choices) {
        navig_string(attribute)->notify(nullptr);
    }
}

int SpaceWarePreferencesManager::navig_choice_count(NavigAttribute attribute) {
    int count = 0;
    while (!choice_string(navig_schema[attribute].group, count).is_empty()) {
        ++count;
    }
    return navig_schema[attribute].kind == NavigKind::choice ? count : 0;
}

std::pair<double, double> SpaceWarePreferencesManager::navig_range(NavigAttribute attribute) {
    return {navig_schema[attribute].lowest, navig_schema[attribute].highest};
}

StringSetting* SpaceWarePreferencesManager::button_value(long n) const {
    return n >= 1 && n <= button_count() ? buttons_[n - 1].get() : nullptr;
}

StringSetting* SpaceWarePreferencesManager::custom_function_names() const {
    return functions_->custom_names();
}

const CString& SpaceWarePreferencesManager::index_to_string(AttributeGroup group, int index) {
    return choice_string(group, index);
}

int SpaceWarePreferencesManager::string_to_index(AttributeGroup group, const CString& text) {
    return choice_index(group, text);
}

const CString& SpaceWarePreferencesManager::no_action_name() {
    return FunctionRegistry::no_action_name();
}

bool SpaceWarePreferencesManager::is_valid_function_name(const CString& name) {
    return FunctionRegistry::is_valid_name(name);
}

// ---------------------------------------------------------------- functions

FunctionNameIterator SpaceWarePreferencesManager::function_name_iterator() const {
    return functions_->name_iterator();
}

CopyCString SpaceWarePreferencesManager::get_function_definition(const CString& name) const {
    return functions_->definition(name);
}

bool SpaceWarePreferencesManager::is_custom_function(const CString& name) const {
    return functions_->is_custom(name);
}

const char* SpaceWarePreferencesManager::function_title(const CString& name) const {
    return functions_->title(name);
}

bool SpaceWarePreferencesManager::add_or_edit_custom_function(const CString& name,
                                                              const CString& definition) {
    const FunctionRegistry::Stored stored = functions_->store_custom(name, definition);
    if (stored == FunctionRegistry::Stored::refused) {
        return false;
    }
    const bool saved =
        write_file(PreferencesSection::functions, navig_preferences_, button_preferences_);
    if (stored == FunctionRegistry::Stored::added) {
        functions_->publish_names();
    }
    tell_functions_changed();
    return saved;
}

bool SpaceWarePreferencesManager::remove_custom_function(const CString& name) {
    if (!functions_->remove_custom(name)) {
        return true;
    }
    const bool saved =
        write_file(PreferencesSection::functions, navig_preferences_, button_preferences_);
    functions_->publish_names();
    return saved;
}

void SpaceWarePreferencesManager::set_command_handler(CommandHandler handler) {
    functions_->set_command_handler(std::move(handler));
}

void SpaceWarePreferencesManager::run_function(const CString& name) const {
    functions_->run(name);
}

// ---------------------------------------------------------------- save and restore

// Every setting is stored first and notified after, so that observers which
// keep settings consistent with each other see only the final values.
void SpaceWarePreferencesManager::apply_navig(const NavigValues& values, Source source) {
    for (const NavigSchemaRow& row : navig_schema) {
        if (row.kind == NavigKind::choice) {
            navig_string(row.attribute)->assign(values[row.attribute].text);
        } else {
            navig_float(row.attribute)->assign(values[row.attribute].number);
        }
    }
    for (const auto& setting : navig_) {
        setting->mark_source(source == Source::preferences, source == Source::defaults);
    }
    for (const auto& setting : navig_) {
        setting->notify(nullptr);
    }
}

void SpaceWarePreferencesManager::apply_buttons(const ButtonValues& names, Source source) {
    for (long n = 1; n <= button_count(); ++n) {
        StringSetting* setting = button_value(n);
        setting->assign(names[n - 1]);
        setting->mark_source(source == Source::preferences, source == Source::defaults);
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

bool SpaceWarePreferencesManager::Settings::operator==(const Settings& other) const {
    return std::equal(navig.begin(), navig.end(), other.navig.begin(),
                      [](const NavigValue& a, const NavigValue& b) {
                          return a.text == b.text && a.number == b.number;
                      }) &&
           buttons == other.buttons;
}

SpaceWarePreferencesManager::Settings SpaceWarePreferencesManager::current_settings() const {
    return {current_navig(), current_buttons()};
}

void SpaceWarePreferencesManager::apply_settings(const Settings& settings) {
    apply_navig(settings.navig, Source::user);
    apply_buttons(settings.buttons, Source::user);
}

bool SpaceWarePreferencesManager::has_unsaved_changes() const {
    return !(current_settings() == Settings{navig_preferences_, button_preferences_});
}

void SpaceWarePreferencesManager::reset_navig_settings() {
    apply_navig(navig_preferences_, Source::preferences);
}

void SpaceWarePreferencesManager::reset_navig_defaults() {
    apply_navig(navig_defaults(), Source::defaults);
}

void SpaceWarePreferencesManager::reset_button_settings() {
    apply_buttons(button_preferences_, Source::preferences);
}

void SpaceWarePreferencesManager::reset_button_defaults() {
    apply_buttons(button_defaults(), Source::defaults);
}

// ---------------------------------------------------------------- the file

SpaceWarePreferencesManager::FunctionValues
SpaceWarePreferencesManager::read_preferences(NavigValues& navig, ButtonValues& buttons) {
    PreferencesFile::Contents contents{navig_defaults(), button_defaults(), {}};
    preferences_file_->read(contents,
                            [this](const CString& name) { return functions_->is_builtin(name); });
    navig = contents.navig;
    buttons = contents.buttons;
    return contents.functions;
}

bool SpaceWarePreferencesManager::write_file(PreferencesSection section, const NavigValues& navig,
                                             const ButtonValues& buttons) {
    const PreferencesFile::Contents contents{navig, buttons, functions_->custom_functions()};
    const bool saved = preferences_file_->write(section, contents);
    if (saved && sync_) {
        sync_->take_as_known();
    }
    return saved;
}

const QString& SpaceWarePreferencesManager::save_error() const {
    return preferences_file_->error();
}

void SpaceWarePreferencesManager::bring_in_other_save() {
    NavigValues navig;
    ButtonValues buttons;
    const FunctionValues functions = read_preferences(navig, buttons);
    const NavigValues followed_navig =
        PreferencesSync::followed(current_navig(), navig_preferences_, navig);
    navig_preferences_ = navig;
    apply_navig(followed_navig, Source::preferences);
    const ButtonValues followed_buttons =
        PreferencesSync::followed(current_buttons(), button_preferences_, buttons);
    button_preferences_ = buttons;
    apply_buttons(followed_buttons, Source::preferences);
    functions_->replace_custom(functions);
    functions_->publish_names();
    tell_functions_changed();
}

void SpaceWarePreferencesManager::set_functions_listener(std::function<void()> listener) {
    functions_listener_ = std::move(listener);
}

void SpaceWarePreferencesManager::tell_functions_changed() const {
    if (functions_listener_) {
        functions_listener_();
    }
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
