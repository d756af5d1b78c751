#include "NavigSchema.h"

namespace {
const CString group_strings[6][4] = {
    {"x", "y", "z", ""},
    {"positive", "negative", "", ""},
    {"clockwise", "counterclockwise", "", ""},
    {"off", "on", "", ""},
    {"auto", "model", "view", "cursor"},
    {"object", "camera", "", ""},
};
const int group_sizes[6] = {3, 2, 2, 2, 4, 2};
constexpr int group_count = 6;

bool is_group(int g) {
    return g >= 0 && g < group_count;
}

constexpr NavigSchemaRow choice(NavigAttribute attribute, const char* key, AttributeGroup group,
                                int default_choice) {
    return {attribute, NavigKind::choice, key, group, default_choice, 0.0, 0.0, 0.0f};
}

constexpr NavigSchemaRow number(NavigAttribute attribute, const char* key, double lowest,
                                double highest, float default_number) {
    return {attribute, NavigKind::number, key, axis_group, 0, lowest, highest, default_number};
}

constexpr NavigSchemaRow sensitivity(NavigAttribute attribute, const char* key) {
    return number(attribute, key, SensitivityScale::lowest, SensitivityScale::highest,
                  SensitivityScale::neutral);
}
} // namespace

// Out of the box every axis maps to itself, positive and clockwise.
const NavigSchemaRow navig_schema[SpaceWarePreferencesManager::navig_count] = {
    choice(x_trans_axis, "x_translation_axis", axis_group, 0),
    choice(y_trans_axis, "y_translation_axis", axis_group, 1),
    choice(z_trans_axis, "z_translation_axis", axis_group, 2),
    choice(x_trans_direction, "x_translation_direction", direction_group, 0),
    choice(y_trans_direction, "y_translation_direction", direction_group, 0),
    choice(z_trans_direction, "z_translation_direction", direction_group, 0),
    choice(x_rot_direction, "x_rotation_direction", rotation_group, 0),
    choice(y_rot_direction, "y_rotation_direction", rotation_group, 0),
    choice(z_rot_direction, "z_rotation_direction", rotation_group, 0),
    sensitivity(trans_sensitivity, "translation_sensitivity"),
    sensitivity(rot_sensitivity, "rotation_sensitivity"),
    // The device's own: none of its motion is lost, every axis moves.
    number(dead_zone, "dead_zone", 0.0, 100.0, 0.0f),
    choice(dominant_axis, "dominant_axis", switch_group, 0),
    // The view turns where the user looks; the model moves, upright or not.
    choice(rotation_centre, "rotation_centre", centre_group, 0),
    choice(lock_horizon, "lock_horizon", switch_group, 0),
    choice(navigation_mode, "navigation_mode", mode_group, 0),
    choice(x_trans_enabled, "x_translation_enabled", switch_group, 1),
    choice(y_trans_enabled, "y_translation_enabled", switch_group, 1),
    choice(z_trans_enabled, "z_translation_enabled", switch_group, 1),
    choice(x_rot_enabled, "x_rotation_enabled", switch_group, 1),
    choice(y_rot_enabled, "y_rotation_enabled", switch_group, 1),
    choice(z_rot_enabled, "z_rotation_enabled", switch_group, 1),
    // Linear out of the box.
    number(trans_curve, "translation_curve", 1.0, 3.0, 1.0f),
    number(rot_curve, "rotation_curve", 1.0, 3.0, 1.0f),
};

const CString& choice_string(AttributeGroup group, int index) {
    static const CString none;
    const int g = static_cast<int>(group);
    return is_group(g) && index >= 0 && index < group_sizes[g] ? group_strings[g][index] : none;
}

int choice_index(AttributeGroup group, const CString& text) {
    const int g = static_cast<int>(group);
    for (int i = 0; is_group(g) && i < group_sizes[g]; ++i) {
        if (group_strings[g][i] == text) {
            return i;
        }
    }
    return -1;
}
