#include "MotionTransform.h"

#include <algorithm>
#include <cmath>

namespace {
using Manager = SpaceWarePreferencesManager;

// The dead zone taken off, so that motion starts from 0 at its edge.
float beyond_dead_zone(int value, float dead_zone) {
    const float v = static_cast<float>(value);
    const float magnitude = std::max(std::fabs(v) - dead_zone, 0.0f);
    return v < 0 ? -magnitude : magnitude;
}
} // namespace

MotionSettings MotionSettings::of(const Manager& manager) {
    MotionSettings settings;
    for (int k = 0; k < 3; ++k) {
        // A setting outside its group (none the file lets in) keeps the identity.
        const int axis = manager.navig_choice(translation_axis(k));
        settings.axis[k] = axis >= 0 ? axis : k;
        settings.translation_sign[k] =
            manager.navig_choice(translation_direction(k)) == 1 ? -1.0f : 1.0f;
        settings.rotation_sign[k] = manager.navig_choice(rotation_direction(k)) == 1 ? -1.0f : 1.0f;
    }
    settings.translation_sensitivity = manager.navig_float(trans_sensitivity)->get();
    settings.rotation_sensitivity = manager.navig_float(rot_sensitivity)->get();
    settings.dead_zone = manager.navig_float(NavigAttribute::dead_zone)->get();
    settings.dominant_axis = manager.navig_choice(NavigAttribute::dominant_axis) == 1;
    return settings;
}

ViewVelocity transform_motion(const RawMotion& motion, const MotionSettings& settings) {
    std::array<float, 6> values;
    for (int i = 0; i < 6; ++i) {
        values[i] = beyond_dead_zone(motion.axes[i], settings.dead_zone);
    }
    if (settings.dominant_axis) {
        int largest = 0;
        for (int i = 1; i < 6; ++i) {
            largest = std::fabs(values[i]) > std::fabs(values[largest]) ? i : largest;
        }
        const float kept = values[largest];
        values.fill(0.0f);
        values[largest] = kept;
    }
    ViewVelocity velocity;
    for (int k = 0; k < 3; ++k) {
        const int view_axis = settings.axis[k];
        velocity.translation[view_axis] +=
            values[k] * settings.translation_sign[k] * settings.translation_sensitivity;
        velocity.rotation[view_axis] +=
            values[3 + k] * settings.rotation_sign[k] * settings.rotation_sensitivity;
    }
    return velocity;
}

ViewVelocity view_speeds(const ViewVelocity& velocity) {
    ViewVelocity speeds;
    for (int k = 0; k < 3; ++k) {
        speeds.translation[k] = velocity.translation[k] *
                                (DeviceScale::full_translation / DeviceScale::full_deflection);
        speeds.rotation[k] =
            velocity.rotation[k] * (DeviceScale::full_rotation / DeviceScale::full_deflection);
    }
    return speeds;
}

// ---------------------------------------------------------------- follower

class MotionSettingsFollower::Observer : public ValueObserver {
public:
    explicit Observer(MotionSettingsFollower* follower)
        : follower_(follower) {}
    void update(Value*) override { follower_->settings_ = MotionSettings::of(follower_->manager_); }

private:
    MotionSettingsFollower* follower_;
};

MotionSettingsFollower::MotionSettingsFollower(const Manager& manager)
    : manager_(manager)
    , settings_(MotionSettings::of(manager))
    , observer_(new Observer(this)) {
    for (int a = 0; a < Manager::navig_count; ++a) {
        manager.navig_value(static_cast<NavigAttribute>(a))->attach(observer_.get());
    }
}

MotionSettingsFollower::~MotionSettingsFollower() = default;
