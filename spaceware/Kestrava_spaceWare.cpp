#include "Kestrava_spaceWare.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QtDebug>
#include <algorithm>

#include "FunctionRegistry.h"
#include "NavigSchema.h"
#include "PreferencesFile.h"
#include "PreferencesSync.h"
#include "ProfileStore.h"

namespace {
// The functions of the first device buttons out of the box; the rest do nothing.
const char* const default_button_functions[] = {"Fit_All", "View_Isometric"};
} // namespace

// ---------------------------------------------------------------- construction

SpaceWarePreferencesManager::SpaceWarePreferencesManager(const QString& file, long button_count)
    : file_(file)
    , preferences_file_(std::make_unique<PreferencesFile>(file))
    , functions_(std::make_unique<FunctionRegistry>())
    , profiles_(std::make_unique<ProfileStore>(file)) {
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
    functions_->replace_custom(
        read_preferences(navig_preferences_, button_preferences_, &profile_));
    if (profiles_->has_file(profile_)) {
        read_profile(profile_, navig_preferences_, button_preferences_);
    }
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
SpaceWarePreferencesManager::read_preferences(NavigValues& navig, ButtonValues& buttons,
                                              QString* profile) {
    PreferencesFile::Contents contents{navig_defaults(), button_defaults(), {}};
    preferences_file_->read(contents,
                            [this](const CString& name) { return functions_->is_builtin(name); });
    navig = contents.navig;
    buttons = contents.buttons;
    if (profile) {
        *profile = contents.profile;
    }
    return contents.functions;
}

void SpaceWarePreferencesManager::read_profile(const QString& name, NavigValues& navig,
                                               ButtonValues& buttons) const {
    PreferencesFile::Contents contents{navig_defaults(), button_defaults(), {}};
    if (profiles_->has_file(name)) {
        profiles_->read(name, contents);
    } else {
        PreferencesFile(file_).read(contents, [](const CString&) { return false; });
    }
    navig = contents.navig;
    buttons = contents.buttons;
}

// A section goes to the preferences file, and to the profile's own file
// once there are profiles: a profile's first file gets both its sections.
bool SpaceWarePreferencesManager::write_file(PreferencesSection section, const NavigValues& navig,
                                             const ButtonValues& buttons) {
    const PreferencesFile::Contents contents{navig, buttons, functions_->custom_functions(),
                                             profile_};
    bool saved = preferences_file_->write(section, contents);
    save_error_ = preferences_file_->error();
    if (saved && sync_) {
        sync_->take_as_known();
    }
    const bool in_profiles = profiles_->has_file(profile_) || profile_names().size() > 1;
    if (saved && section != PreferencesSection::functions && in_profiles) {
        saved =
            profiles_->write(profile_,
                             profiles_->has_file(profile_)
                                 ? std::vector<PreferencesSection>{section}
                                 : std::vector<PreferencesSection>{PreferencesSection::navigation,
                                                                   PreferencesSection::buttons},
                             contents);
        save_error_ = profiles_->error();
    }
    return saved;
}

const QString& SpaceWarePreferencesManager::save_error() const {
    return save_error_;
}

void SpaceWarePreferencesManager::bring_in_other_save() {
    NavigValues navig;
    ButtonValues buttons;
    QString named;
    const FunctionValues functions = read_preferences(navig, buttons, &named);
    // Another program's switch puts another profile there: ours is in its file.
    if (named != profile_ || profiles_->has_file(profile_)) {
        read_profile(profile_, navig, buttons);
    }
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
    tell_profiles_changed();
}

void SpaceWarePreferencesManager::set_functions_listener(std::function<void()> listener) {
    functions_listener_ = std::move(listener);
}

void SpaceWarePreferencesManager::tell_functions_changed() const {
    if (functions_listener_) {
        functions_listener_();
    }
}

// ---------------------------------------------------------------- profiles

QString SpaceWarePreferencesManager::default_profile_name() {
    return QStringLiteral("Default");
}

bool SpaceWarePreferencesManager::is_valid_profile_name(const QString& name) {
    return !name.isEmpty() && name.size() <= 64 && name.trimmed() == name &&
           std::none_of(name.begin(), name.end(),
                        [](QChar c) { return c.category() == QChar::Other_Control; });
}

QStringList SpaceWarePreferencesManager::profile_names() const {
    QStringList names = profiles_->names();
    if (!names.contains(profile_)) {
        names << profile_;
        ProfileStore::sort(names);
    }
    return names;
}

bool SpaceWarePreferencesManager::has_profile(const QString& name) const {
    return profile_names().contains(name);
}

SpaceWarePreferencesManager::Settings
SpaceWarePreferencesManager::profile_settings(const QString& name) const {
    if (!has_profile(name)) {
        return default_settings();
    }
    if (name == profile_) {
        return {navig_preferences_, button_preferences_};
    }
    Settings values;
    read_profile(name, values.navig, values.buttons);
    return values;
}

SpaceWarePreferencesManager::Settings SpaceWarePreferencesManager::default_settings() const {
    return {navig_defaults(), button_defaults()};
}

void SpaceWarePreferencesManager::take_saved(const NavigValues& navig,
                                             const ButtonValues& buttons) {
    navig_preferences_ = navig;
    button_preferences_ = buttons;
    apply_navig(navig, Source::preferences);
    apply_buttons(buttons, Source::preferences);
}

bool SpaceWarePreferencesManager::switch_profile(const QString& name) {
    if (name == profile_) {
        return true;
    }
    if (!has_profile(name)) {
        save_error_ = QStringLiteral("there is no profile %1").arg(name);
        return false;
    }
    using Section = PreferencesSection;
    // The profile left keeps its saved values in a file of its own.
    if (!profiles_->has_file(profile_) &&
        !profiles_->write(profile_, {Section::navigation, Section::buttons},
                          {navig_preferences_, button_preferences_, {}, profile_})) {
        save_error_ = profiles_->error();
        return false;
    }
    const Settings values = profile_settings(name);
    const PreferencesFile::Contents contents{values.navig, values.buttons,
                                             functions_->custom_functions(), name};
    if (!preferences_file_->write({Section::navigation, Section::buttons, Section::profile},
                                  contents)) {
        save_error_ = preferences_file_->error();
        return false;
    }
    sync_->take_as_known();
    profile_ = name;
    take_saved(values.navig, values.buttons);
    tell_profiles_changed();
    return true;
}

bool SpaceWarePreferencesManager::store_profile(const QString& name, const Settings& values) {
    if (!is_valid_profile_name(name)) {
        save_error_ = QStringLiteral("\"%1\" is not a profile name").arg(name);
        return false;
    }
    using Section = PreferencesSection;
    if (!profiles_->write(name, {Section::navigation, Section::buttons},
                          {values.navig, values.buttons, {}, name})) {
        save_error_ = profiles_->error();
        return false;
    }
    if (name == profile_) {
        const bool saved = write_file(Section::navigation, values.navig, values.buttons) &&
                           write_file(Section::buttons, values.navig, values.buttons);
        take_saved(values.navig, values.buttons);
        tell_profiles_changed();
        return saved;
    }
    tell_profiles_changed();
    return true;
}

bool SpaceWarePreferencesManager::rename_profile(const QString& name, const QString& new_name) {
    if (!has_profile(name) || has_profile(new_name) || !is_valid_profile_name(new_name)) {
        save_error_ = QStringLiteral("\"%1\" cannot be the profile's name").arg(new_name);
        return false;
    }
    const Settings values = profile_settings(name);
    using Section = PreferencesSection;
    if (!profiles_->write(new_name, {Section::navigation, Section::buttons},
                          {values.navig, values.buttons, {}, new_name}) ||
        !profiles_->remove(name)) {
        save_error_ = profiles_->error();
        return false;
    }
    if (name == profile_) {
        profile_ = new_name;
        if (!preferences_file_->write(Section::profile,
                                      {values.navig, values.buttons, {}, new_name})) {
            save_error_ = preferences_file_->error();
            tell_profiles_changed();
            return false;
        }
        sync_->take_as_known();
    }
    tell_profiles_changed();
    return true;
}

bool SpaceWarePreferencesManager::remove_profile(const QString& name) {
    if (name == profile_ || !has_profile(name)) {
        save_error_ = QStringLiteral("the profile in use cannot be removed");
        return false;
    }
    if (!profiles_->remove(name)) {
        save_error_ = profiles_->error();
        return false;
    }
    tell_profiles_changed();
    return true;
}

bool SpaceWarePreferencesManager::export_profile(const QString& path, const QString& name,
                                                 const Settings& values) {
    // A file of the name is replaced, not merged with.
    if (QFileInfo(path).isFile() && !QFile::remove(path)) {
        save_error_ = QStringLiteral("%1 cannot be replaced").arg(path);
        return false;
    }
    using Section = PreferencesSection;
    PreferencesFile file(path);
    const bool written = file.write({Section::navigation, Section::buttons, Section::profile},
                                    {values.navig, values.buttons, {}, name});
    save_error_ = file.error();
    return written;
}

SpaceWarePreferencesManager::ProfileFile
SpaceWarePreferencesManager::read_profile_file(const QString& path) const {
    PreferencesFile::Contents contents{navig_defaults(), button_defaults(), {}, QString()};
    PreferencesFile file(path);
    file.read(contents, [](const CString&) { return true; });
    ProfileFile read{contents.profile, {contents.navig, contents.buttons}, {}};
    QStringList problems = file.problems();
    // A binding of a button this device lacks is no reason to refuse the rest.
    problems.erase(std::remove_if(problems.begin(), problems.end(),
                                  [](const QString& problem) {
                                      return problem.endsWith(QLatin1String("no such button"));
                                  }),
                   problems.end());
    // Every setting is in a whole file, and its format last of all.
    const QSettings in(path, QSettings::IniFormat);
    QStringList keys;
    for (const NavigSchemaRow& row : navig_schema) {
        keys << QStringLiteral("navigation/") + QLatin1String(row.key);
    }
    keys << QStringLiteral("profile/format");
    for (const QString& key : keys) {
        if (problems.isEmpty() && !in.contains(key)) {
            problems << QStringLiteral("%1 is missing: the file is not whole").arg(key);
        }
    }
    if (read.name.isEmpty()) {
        read.name = QFileInfo(path).completeBaseName();
    }
    if (problems.isEmpty() && !is_valid_profile_name(read.name)) {
        problems << QStringLiteral("it names no profile");
    }
    read.problem = problems.value(0);
    return read;
}

void SpaceWarePreferencesManager::set_profiles_listener(std::function<void()> listener) {
    profiles_listener_ = std::move(listener);
}

void SpaceWarePreferencesManager::tell_profiles_changed() const {
    if (profiles_listener_) {
        profiles_listener_();
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
