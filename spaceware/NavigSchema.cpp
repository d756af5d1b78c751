#include "NavigSchema.h"

namespace {
constexpr NavigSchemaRow choice(NavigAttribute attribute, const char* key, AttributeGroup group,
                                int default_choice) {
    return {attribute, NavigKind::choice, key, group, default_choice, 0.0, 0.0, 0.0f};
}

constexpr NavigSchemaRow number(NavigAttribute attribute, const char* key, double lowest,
                                double highest, float default_number) {
    return {attribute, NavigKind::number, key, axis_group, 0, lowest, highest, default_number};
}

// Sensitivities run from 0.1 to 10, the slider's log scale.
constexpr NavigSchemaRow sensitivity(NavigAttribute attribute, const char* key) {
    return number(attribute, key, 0.1, 10.0, 1.0f);
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
};
