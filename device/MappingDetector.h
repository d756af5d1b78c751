#pragma once

// Finds a device's mapping from the user's own pushes. Six steps ask for a
// push right, a pull up, a push away, a clockwise twist seen from above, a
// forward tilt and a tilt to the right; for each, the raw motion is watched
// until one axis of the step's kind clearly leads and holds. What each step
// found then says which setting undoes the device's own axes and turns.
//
// Thresholds, chosen for a person's hand on a cap:
// - a lead is at least a quarter of full deflection, and two and a half
//   times the next axis of its kind: a push right always tilts the cap a
//   little, and no hand pushes along one axis alone;
// - it holds for 0.4 s: a jolt or a slip does not count;
// - before each step the cap rests (every axis within 8 % of full
//   deflection) for 0.25 s: the last push, let go, never counts for the next;
// - a step that sees no lead for 15 s says so, and may be skipped.

#include <QtGlobal>
#include <array>
#include <optional>

#include "MotionTransform.h"
#include "kestrava_device_export.h"

class KESTRAVA_DEVICE_EXPORT MappingDetector {
public:
    struct Step {
        bool rotation;
        int view_axis; // 0 x, 1 y, 2 z of the view
        int sign;      // the direction the view should move
    };
    static const std::array<Step, 6> steps;

    static constexpr double lead_share = 0.25;
    static constexpr double lead_ratio = 2.5;
    static constexpr int hold_ms = 400;
    static constexpr double rest_share = 0.08;
    static constexpr int rest_ms = 250;
    static constexpr int patience_ms = 15000;

    enum class State {
        resting,  // waiting for the cap to rest before the step
        watching, // waiting for a lead
        holding,  // a lead, not held long enough yet
        conflict, // the lead was an axis an earlier step found: the step is asked again
        done,     // every step found or skipped
    };

    // What the user is doing now, at a time in milliseconds.
    void feed(const RawMotion& motion, qint64 ms);
    // Time passes without motion: a held lead completes, a rest is seen.
    void tick(qint64 ms);
    void skip();

    int step() const { return step_; }
    State state() const { return state_; }
    // Whether the step has waited longer than its patience.
    bool waited_too_long(qint64 ms) const;
    // The device axis leading now (0 to 5) and its sign, if one leads.
    std::optional<std::pair<int, int>> lead() const { return lead_; }
    // The step whose axis the last conflicting lead was.
    int conflicting_step() const { return conflicting_step_; }

    // What was found: for each device axis, the view axis its translation
    // goes to and their signs; std::nullopt for what no step found.
    struct Mapping {
        std::array<std::optional<int>, 3> axis;
        std::array<std::optional<int>, 3> translation_sign;
        std::array<std::optional<int>, 3> rotation_sign;
    };
    Mapping mapping() const;

private:
    struct Found {
        int device_axis; // 0 to 5
        int sign;
    };
    std::optional<std::pair<int, int>> leading(const RawMotion& motion) const;
    bool at_rest(const RawMotion& motion) const;
    void begin_step(qint64 ms);
    void accept(qint64 ms);
    // The earlier step that found this device axis, if one did.
    std::optional<int> step_that_found(int device_axis) const;

    int step_ = 0;
    State state_ = State::resting;
    RawMotion last_;
    qint64 since_ = 0;      // the rest's, or the lead's, start
    qint64 step_began_ = 0; // for the patience
    qint64 now_ = 0;
    bool clock_started_ = false;
    std::optional<std::pair<int, int>> lead_;
    int conflicting_step_ = -1;
    std::array<std::optional<Found>, 6> found_;
};
