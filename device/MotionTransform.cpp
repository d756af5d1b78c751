#include "MotionTransform.h"

#include <algorithm>
#include <cmath>

namespace {
using Manager = SpaceWarePreferencesManager;

// The dead zone taken off, so that motion starts from 0 at its edge.
float beyond_dead_zone(float value, float dead_zone) {
    const float magnitude = std::max(std::fabs(value) - dead_zone, 0.0f);
    return value < 0 ? -magnitude : magnitude;
}

// A value beyond the dead zone, relative to what is left of full deflection
// there, raised to the curve's power with its sign kept: 0 at the dead
// zone's edge, the same speed at full deflection, finer in between. Past
// full deflection the value goes on linearly.
float shaped(float value, float dead_zone, float curve) {
    if (curve == 1) {
        return value;
    }
    const float full = std::max(DeviceScale::full_deflection - dead_zone, 1.0f);
    const float share = std::fabs(value) / full;
    const float magnitude = full * (share < 1 ? std::pow(share, curve) : share);
    return value < 0 ? -magnitude : magnitude;
}

void keep_the_largest(std::array<float, 6>& values) {
    int largest = 0;
    for (int i = 1; i < 6; ++i) {
        largest = std::fabs(values[i]) > std::fabs(values[largest]) ? i : largest;
    }
    const float kept = values[largest];
    values.fill(0.0f);
    values[largest] = kept;
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
    for (int k = 0; k < 6; ++k) {
        settings.enabled[k] = manager.navig_choice(axis_enabled(k)) != 0;
    }
    settings.translation_sensitivity = manager.navig_float(trans_sensitivity)->get();
    settings.rotation_sensitivity = manager.navig_float(rot_sensitivity)->get();
    settings.dead_zone = manager.navig_float(NavigAttribute::dead_zone)->get();
    settings.dominant_axis = manager.navig_choice(NavigAttribute::dominant_axis) == 1;
    settings.translation_curve = manager.navig_float(trans_curve)->get();
    settings.rotation_curve = manager.navig_float(rot_curve)->get();
    settings.camera_mode =
        manager.navig_choice(navigation_mode) == static_cast<int>(NavigationMode::camera);
    settings.rotation_centre = static_cast<RotationCentre>(
        std::max(0, manager.navig_choice(NavigAttribute::rotation_centre)));
    settings.lock_horizon = manager.navig_choice(NavigAttribute::lock_horizon) == 1;
    return settings;
}

MotionStages motion_stages(const RawMotion& motion, const MotionSettings& settings) {
    MotionStages stages;
    for (int i = 0; i < 6; ++i) {
        stages.raw[i] = static_cast<float>(motion.axes[i]);
        stages.beyond_dead_zone[i] =
            settings.enabled[i] ? beyond_dead_zone(stages.raw[i], settings.dead_zone) : 0.0f;
    }
    if (settings.dominant_axis) {
        keep_the_largest(stages.beyond_dead_zone);
    }
    for (int i = 0; i < 6; ++i) {
        const bool translation = i < 3;
        stages.shaped[i] =
            shaped(stages.beyond_dead_zone[i], settings.dead_zone,
                   translation ? settings.translation_curve : settings.rotation_curve) *
            (translation ? settings.translation_sensitivity : settings.rotation_sensitivity);
    }
    const float mode = settings.camera_mode ? -1.0f : 1.0f;
    for (int k = 0; k < 3; ++k) {
        const int view_axis = settings.axis[k];
        stages.mapped[view_axis] += stages.shaped[k] * settings.translation_sign[k] * mode;
        stages.mapped[3 + view_axis] += stages.shaped[3 + k] * settings.rotation_sign[k] * mode;
    }
    return stages;
}

ViewVelocity transform_motion(const RawMotion& motion, const MotionSettings& settings) {
    const MotionStages stages = motion_stages(motion, settings);
    ViewVelocity velocity;
    for (int k = 0; k < 3; ++k) {
        velocity.translation[k] = stages.mapped[k];
        velocity.rotation[k] = stages.mapped[3 + k];
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
    void update(Value*) override {
        follower_->settings_ = MotionSettings::of(follower_->manager_);
        if (follower_->changed_) {
            follower_->changed_(follower_->settings_);
        }
    }

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
