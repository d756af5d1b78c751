#pragma once

// The motion-controller settings: current values, the saved preferences
// (kept in a file) and the factory defaults, each change reported to the
// settings' observers.

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "Kestrava_utils.h"
#include "Tarvik_utils.h"
#include "kestrava_spaceware_export.h"

// The navigation settings, by number.
enum NavigAttribute {
    x_trans_axis = 0,
    y_trans_axis = 1,
    z_trans_axis = 2,
    x_trans_direction = 3,
    y_trans_direction = 4,
    z_trans_direction = 5,
    x_rot_direction = 6,
    y_rot_direction = 7,
    z_rot_direction = 8,
    trans_sensitivity = 9,
    rot_sensitivity = 10,
    // The host's own device settings, beyond those of the settings dialog.
    dead_zone = 11,     // device units, 0 to 100
    dominant_axis = 12, // a switch_group choice
    // Where the view turns, whether its horizon stays level, and whether
    // the device moves the model or the eye.
    rotation_centre = 13, // a centre_group choice
    lock_horizon = 14,    // a switch_group choice
    navigation_mode = 15, // a mode_group choice
    // Each device axis on or off (switch_group): the translations along
    // x, y, z, then the rotations about them.
    x_trans_enabled = 16,
    y_trans_enabled = 17,
    z_trans_enabled = 18,
    x_rot_enabled = 19,
    y_rot_enabled = 20,
    z_rot_enabled = 21,
    // The response curve of each group: the exponent a deflection, relative
    // to full deflection, is raised to; 1 linear to 3 cubic.
    trans_curve = 22,
    rot_curve = 23,
};

// The families of choice strings of the navigation settings.
enum AttributeGroup {
    axis_group = 0,      // "x", "y", "z"
    direction_group = 1, // "positive", "negative"
    rotation_group = 2,  // "clockwise", "counterclockwise"
    switch_group = 3,    // "off", "on"
    centre_group = 4,    // "auto", "model", "view", "cursor"
    mode_group = 5,      // "object", "camera"
};

// The choices of the rotation centre and of the navigation mode, by index.
enum class RotationCentre { automatic, model, view, cursor };
enum class NavigationMode { object, camera };

// The settings of row 0, 1, 2 (x, y, z) of the motions: the translation's
// axis and direction, the rotation's direction.
constexpr NavigAttribute translation_axis(int row) {
    return static_cast<NavigAttribute>(x_trans_axis + row);
}
constexpr NavigAttribute translation_direction(int row) {
    return static_cast<NavigAttribute>(x_trans_direction + row);
}
constexpr NavigAttribute rotation_direction(int row) {
    return static_cast<NavigAttribute>(x_rot_direction + row);
}
// Whether device axis k (0 to 5: tx ty tz rx ry rz) counts.
constexpr NavigAttribute axis_enabled(int k) {
    return static_cast<NavigAttribute>(x_trans_enabled + k);
}

// Sensitivities run on a log scale from 0.1 to 10, a decade each side of
// 1; the settings dialog's sliders show it in positions, 0 at 1.
struct SensitivityScale {
    static constexpr double lowest = 0.1;
    static constexpr double highest = 10.0;
    static constexpr float neutral = 1.0f;
    static constexpr int positions_per_decade = 100;
    static constexpr int lowest_position = -positions_per_decade;
    static constexpr int highest_position = positions_per_decade;
};

using FunctionDefinition = StringSetting;
using FunctionEntry = Pair2<SmartResource<Action>, FunctionDefinition*>;
using FunctionNameIterator = TableKeyItr<CopyCString, FunctionEntry>;

class FunctionRegistry;
class PreferencesFile;
class PreferencesSync;
class ProfileStore;

// The parts of the preferences file that are saved on their own.
enum class PreferencesSection { navigation, buttons, functions, profile };

class KESTRAVA_SPACEWARE_EXPORT SpaceWarePreferencesManager {
public:
    static constexpr int navig_count = 24;
    static constexpr long default_button_count = 2;
    // The longest definition a custom function can have, in characters:
    // enough for any script, short enough to show, log and run at once.
    static constexpr long longest_definition = 64 * 1024;

    // The values of the navigation settings, by attribute: the choice string
    // of a string setting, the number of a sensitivity.
    struct NavigValue {
        CopyCString text;
        float number = 0.0f;
    };
    using NavigValues = std::array<NavigValue, navig_count>;
    // The function name of each button, button n at n - 1.
    using ButtonValues = std::vector<CopyCString>;
    // The user's functions: name and definition, each name once.
    using FunctionValues = std::vector<std::pair<CopyCString, CopyCString>>;

    // Reads the preferences from `file` (factory defaults where it has none);
    // the device has `button_count` buttons.
    explicit SpaceWarePreferencesManager(const QString& file = default_file(),
                                         long button_count = default_button_count);
    ~SpaceWarePreferencesManager();
    SpaceWarePreferencesManager(const SpaceWarePreferencesManager&) = delete;
    SpaceWarePreferencesManager& operator=(const SpaceWarePreferencesManager&) = delete;

    // The preferences file in the user's configuration folder.
    static QString default_file();
    const QString& file() const { return file_; }

    // The same object at every call: a string setting for an attribute that
    // is a choice of one of the groups, a float setting for a number.
    SettingsValue* navig_value(NavigAttribute attribute) const;
    // The same settings, typed; null for an attribute of the other kind.
    StringSetting* navig_string(NavigAttribute attribute) const;
    FloatSetting* navig_float(NavigAttribute attribute) const;
    // A choice setting as the index of its string in the attribute's own
    // group; negative for a string outside it, or a number.
    int navig_choice(NavigAttribute attribute) const;
    // Writes the string of that index, with the write rule.
    void set_navig_choice(NavigAttribute attribute, int index);
    // Writes several at once: every one is stored before any is told, so
    // that observers keeping the axes a permutation see only the result.
    void set_navig_choices(const std::vector<std::pair<NavigAttribute, int>>& choices);
    // How many choices a choice setting has; the range a number setting takes.
    static int navig_choice_count(NavigAttribute attribute);
    static std::pair<double, double> navig_range(NavigAttribute attribute);
    // The function name of device button n, 1 to button_count(); null otherwise.
    StringSetting* button_value(long n) const;
    long button_count() const { return static_cast<long>(buttons_.size()); }
    // The custom function names, in character-code order, joined by single blanks.
    StringSetting* custom_function_names() const;

    // The choice string of an index, or the empty string outside the group.
    static const CString& index_to_string(AttributeGroup group, int index);
    // The index of a choice string, negative when it is not in the group.
    static int string_to_index(AttributeGroup group, const CString& text);
    // The function that does nothing; a function name like the others.
    static const CString& no_action_name();
    // Whether `name` can name a custom function: not empty, no blank of any kind.
    static bool is_valid_function_name(const CString& name);

    FunctionNameIterator function_name_iterator() const;
    // The command text of a function; empty for an unknown name.
    CopyCString get_function_definition(const CString& name) const;
    bool is_custom_function(const CString& name) const;
    // A built-in function's name for people, to translate in the
    // "Functions" context; null for the user's functions and unknown names.
    const char* function_title(const CString& name) const;
    // Stores the function, creating it or replacing its definition, and saves
    // it at once. A name that is not valid, or that a built-in function
    // holds, or a definition longer than longest_definition, is refused with
    // a warning. False when refused or not saved.
    bool add_or_edit_custom_function(const CString& name, const CString& definition);
    // False when the function was removed but the file could not be saved.
    bool remove_custom_function(const CString& name);

    // Keep the current values as preferences, in the file. False, with a
    // warning, when the file could not be written; save_error() says why.
    bool save_navig_values();
    bool save_button_values();
    const QString& save_error() const;
    // Every navigation setting and button binding at once: what an undo
    // step holds.
    struct Settings {
        NavigValues navig;
        ButtonValues buttons;
        bool operator==(const Settings& other) const;
    };
    Settings current_settings() const;
    // Writes them all, each stored before any is told, as the user's own.
    void apply_settings(const Settings& settings);
    // Whether the settings differ from the saved preferences.
    bool has_unsaved_changes() const;

    // Named sets of the navigation settings and button bindings; the
    // custom functions are shared by all, since bindings name them. One is
    // in use: the settings above are its values, saving keeps them as its
    // preferences, restoring brings back its saved ones. A first start has
    // one, "Default".
    static QString default_profile_name();
    // Not empty, at most 64 characters, no control characters, no blanks
    // at either end.
    static bool is_valid_profile_name(const QString& name);
    const QString& profile() const { return profile_; }
    // In name order, the one in use among them.
    QStringList profile_names() const;
    bool has_profile(const QString& name) const;
    // Makes `name` the profile in use, its saved values the settings:
    // unsaved changes are dropped, so callers ask first. False, with
    // save_error() saying why, when there is no such profile or its
    // values could not be kept in the preferences file.
    bool switch_profile(const QString& name);
    // A profile of these saved values, or replaces a profile's saved values
    // (the settings follow when it is in use). False for a name that is not
    // valid, or when its file could not be written.
    bool store_profile(const QString& name, const Settings& values);
    // False for a new name taken or not valid, or files not written.
    bool rename_profile(const QString& name, const QString& new_name);
    // Any but the one in use.
    bool remove_profile(const QString& name);
    // A profile's saved values: the factory defaults for an unknown one.
    Settings profile_settings(const QString& name) const;
    Settings default_settings() const;
    // A profile's file to share: its name, its values, and a format version.
    bool export_profile(const QString& path, const QString& name, const Settings& values);
    // What a shared file holds, every value checked as the preferences
    // file's are; `problem` says why it cannot be taken ("line N: KEY: …").
    struct ProfileFile {
        QString name;
        Settings values;
        QString problem;
    };
    ProfileFile read_profile_file(const QString& path) const;
    // Told when the profiles or the one in use change.
    void set_profiles_listener(std::function<void()> listener);

    // Bring back the saved preferences, or the factory defaults.
    void reset_navig_settings();
    void reset_navig_defaults();
    void reset_button_settings();
    void reset_button_defaults();

    // Runs a function: its definition goes to the handler, which the host
    // sets to its interpreter.
    using CommandHandler = std::function<void(const CString& definition)>;
    void set_command_handler(CommandHandler handler);
    // Told after a custom function is stored, whether by this program or
    // brought in from another's save; for the host to check definitions.
    void set_functions_listener(std::function<void()> listener);
    void run_function(const CString& name) const;

private:
    static NavigValues navig_defaults();
    static CopyCString button_default(long n);
    ButtonValues button_defaults() const;

    // Where values written at once come from, as the settings record it.
    enum class Source { preferences, defaults, user };
    void apply_navig(const NavigValues& values, Source source);
    void apply_buttons(const ButtonValues& names, Source source);
    NavigValues current_navig() const;
    ButtonValues current_buttons() const;

    // What the file holds over the factory defaults: the navigation and
    // button preferences of the profile in use, and the custom functions it
    // defines; the profile it names.
    FunctionValues read_preferences(NavigValues& navig, ButtonValues& buttons,
                                    QString* profile = nullptr);
    // The saved values of a profile from its own file, if it has one; of
    // the profile the preferences file names, from there.
    void read_profile(const QString& name, NavigValues& navig, ButtonValues& buttons) const;
    void take_saved(const NavigValues& navig, const ButtonValues& buttons);
    void tell_profiles_changed() const;
    // Writes one section of the file from these values.
    bool write_file(PreferencesSection section, const NavigValues& navig,
                    const ButtonValues& buttons);
    // Another program's save brings in its preferences: the current values
    // that were the saved ones follow them, and so do the custom functions.
    void bring_in_other_save();
    void tell_functions_changed() const;

    QString file_;
    std::unique_ptr<PreferencesFile> preferences_file_;
    std::unique_ptr<FunctionRegistry> functions_;
    std::array<std::unique_ptr<SettingsValue>, navig_count> navig_;
    std::vector<std::unique_ptr<StringSetting>> buttons_;
    NavigValues navig_preferences_;
    ButtonValues button_preferences_;
    std::function<void()> functions_listener_;
    std::function<void()> profiles_listener_;
    QString profile_;
    std::unique_ptr<ProfileStore> profiles_;
    QString save_error_;
    // Last: it may call back as soon as it is made.
    std::unique_ptr<PreferencesSync> sync_;
};

// The product library; it makes its manager at the first instance() call.
class KESTRAVA_SPACEWARE_EXPORT SpaceWareLib {
public:
    static SpaceWareLib* instance();
    // Where the preferences live and how many buttons the device has; takes
    // effect only before the first instance() call. An empty file means the
    // default one.
    static void configure(const QString& file, long button_count);

    SpaceWarePreferencesManager* preferences_manager() const { return preferences_manager_.get(); }

private:
    SpaceWareLib(const QString& file, long button_count);

    std::unique_ptr<SpaceWarePreferencesManager> preferences_manager_;
};

TARVIK_DECLARE_LIBRARY_INIT(KESTRAVA_SPACEWARE_EXPORT, KestravaspaceWare_init);
