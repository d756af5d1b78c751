#pragma once

// From the device's raw motion to the view's velocity, with the settings
// applied; nothing else applies a setting to the motion.

#include <array>
#include <functional>
#include <memory>

#include "Kestrava_spaceWare.h"
#include "kestrava_device_export.h"

// One motion event: the deflection tx ty tz rx ry rz in device units, and
// the milliseconds since the previous one (0 on the first).
struct RawMotion {
    std::array<int, 6> axes{};
    int period = 0;
};

// Translations along and rotations about the view's x, y, z, per second as
// long as the deflection lasts.
struct ViewVelocity {
    std::array<float, 3> translation{};
    std::array<float, 3> rotation{};
};

// The settings the transform reads, taken from a manager at one moment.
struct MotionSettings {
    // Device axis k goes to view axis axis[k], its translation times
    // translation_sign[k], its rotation times rotation_sign[k].
    std::array<int, 3> axis{0, 1, 2};
    std::array<float, 3> translation_sign{1, 1, 1};
    std::array<float, 3> rotation_sign{1, 1, 1};
    float translation_sensitivity = 1;
    float rotation_sensitivity = 1;
    // Values within it count as 0, values beyond it have it subtracted.
    float dead_zone = 0;
    // Only the largest of the six values survives; the first of equal ones.
    bool dominant_axis = false;
    // A device axis that is off counts as still, before the dead zone and
    // the dominant axis see it: tx ty tz rx ry rz.
    std::array<bool, 6> enabled{true, true, true, true, true, true};
    // The response: beyond the dead zone, a deflection relative to full
    // deflection is raised to this power, its sign kept; 1 is linear.
    float translation_curve = 1;
    float rotation_curve = 1;
    // The device moves the eye instead of the model: everything reversed.
    bool camera_mode = false;
    // Where the view turns and whether its horizon stays level: the view's
    // camera applies these, not the transform.
    RotationCentre rotation_centre = RotationCentre::automatic;
    bool lock_horizon = false;

    static KESTRAVA_DEVICE_EXPORT MotionSettings of(const SpaceWarePreferencesManager& manager);
};

KESTRAVA_DEVICE_EXPORT ViewVelocity transform_motion(const RawMotion& motion,
                                                     const MotionSettings& settings);

// The six values as each setting leaves them, in order: the raw motion; with
// the axes that are off stilled and the dead zone taken off; after the
// response curve and the sensitivity; and where the mapping sends them, in
// the view's axes (translations x y z, then rotations).
struct MotionStages {
    std::array<float, 6> raw{};
    std::array<float, 6> beyond_dead_zone{};
    std::array<float, 6> shaped{};
    std::array<float, 6> mapped{};
};
KESTRAVA_DEVICE_EXPORT MotionStages motion_stages(const RawMotion& motion,
                                                  const MotionSettings& settings);

// How far a cap deflects, and what a full deflection does to the view at
// sensitivity 1: the model crosses half the view, or turns a quarter turn,
// in a second.
struct DeviceScale {
    static constexpr float full_deflection = 350; // device units, about
    static constexpr float full_translation = 1;  // half the view's height per second
    static constexpr float full_rotation = 90;    // degrees per second
};

// A velocity in the view's units: translations in half the view's height
// per second, rotations in degrees per second.
KESTRAVA_DEVICE_EXPORT ViewVelocity view_speeds(const ViewVelocity& velocity);

// Keeps a snapshot of a manager's settings that follows every change of
// them, so the next event sees what the dialog just set.
class KESTRAVA_DEVICE_EXPORT MotionSettingsFollower {
public:
    explicit MotionSettingsFollower(const SpaceWarePreferencesManager& manager);
    ~MotionSettingsFollower();
    MotionSettingsFollower(const MotionSettingsFollower&) = delete;
    MotionSettingsFollower& operator=(const MotionSettingsFollower&) = delete;

    const MotionSettings& settings() const { return settings_; }
    // Called after each change of the settings, with the new snapshot.
    void on_change(std::function<void(const MotionSettings&)> callback) {
        changed_ = std::move(callback);
    }

private:
    class Observer;
    const SpaceWarePreferencesManager& manager_;
    MotionSettings settings_;
    std::function<void(const MotionSettings&)> changed_;
    SmartResource<ValueObserver> observer_;
};
