#include "MappingDetector.h"

#include <algorithm>
#include <cmath>

// In the view's axes (x right, y up, z toward the viewer): right, up, away;
// a clockwise twist seen from above turns about -y, a forward tilt about -x,
// a tilt to the right about -z.
const std::array<MappingDetector::Step, 6> MappingDetector::steps{{
    {false, 0, +1},
    {false, 1, +1},
    {false, 2, -1},
    {true, 1, -1},
    {true, 0, -1},
    {true, 2, -1},
}};

std::optional<std::pair<int, int>> MappingDetector::leading(const RawMotion& motion) const {
    const int first = steps[size_t(step_)].rotation ? 3 : 0;
    std::array<int, 3> sizes;
    for (int k = 0; k < 3; ++k) {
        sizes[size_t(k)] = std::abs(motion.axes[size_t(first + k)]);
    }
    const auto largest = std::max_element(sizes.begin(), sizes.end());
    const int axis = int(largest - sizes.begin());
    int second = 0;
    for (int k = 0; k < 3; ++k) {
        second = k == axis ? second : std::max(second, sizes[size_t(k)]);
    }
    if (*largest < lead_share * DeviceScale::full_deflection || *largest < lead_ratio * second) {
        return std::nullopt;
    }
    return std::pair(first + axis, motion.axes[size_t(first + axis)] > 0 ? 1 : -1);
}

bool MappingDetector::at_rest(const RawMotion& motion) const {
    return std::all_of(motion.axes.begin(), motion.axes.end(), [](int value) {
        return std::abs(value) <= rest_share * DeviceScale::full_deflection;
    });
}

void MappingDetector::feed(const RawMotion& motion, qint64 ms) {
    last_ = motion;
    tick(ms);
}

void MappingDetector::tick(qint64 ms) {
    now_ = ms;
    if (!clock_started_) {
        clock_started_ = true;
        begin_step(ms);
    }
    switch (state_) {
    case State::done:
        return;
    case State::resting:
    case State::conflict:
        if (!at_rest(last_)) {
            since_ = -1;
        } else if (since_ < 0) {
            since_ = ms;
        } else if (ms - since_ >= rest_ms) {
            state_ = State::watching;
        }
        return;
    case State::watching:
    case State::holding:
        break;
    }
    const std::optional<std::pair<int, int>> now = leading(last_);
    if (!now) {
        state_ = State::watching;
        lead_.reset();
    } else if (state_ != State::holding || now != lead_) {
        state_ = State::holding;
        lead_ = now;
        since_ = ms;
    } else if (ms - since_ >= hold_ms) {
        accept(ms);
    }
}

bool MappingDetector::waited_too_long(qint64 ms) const {
    return state_ != State::done && clock_started_ && ms - step_began_ >= patience_ms;
}

void MappingDetector::begin_step(qint64 ms) {
    state_ = step_ < int(steps.size()) ? State::resting : State::done;
    since_ = -1;
    step_began_ = ms;
    lead_.reset();
}

std::optional<int> MappingDetector::step_that_found(int device_axis) const {
    for (int s = 0; s < step_; ++s) {
        if (found_[size_t(s)] && found_[size_t(s)]->device_axis == device_axis) {
            return s;
        }
    }
    return std::nullopt;
}

// A lead is refused when an earlier step found its axis, or, for a turn,
// when the push along the same device axis went to another view axis: the
// settings turn each device axis about where its push goes.
void MappingDetector::accept(qint64 ms) {
    const auto [device_axis, sign] = *lead_;
    std::optional<int> earlier = step_that_found(device_axis);
    if (!earlier && steps[size_t(step_)].rotation) {
        const std::optional<int> push = step_that_found(device_axis - 3);
        if (push && steps[size_t(*push)].view_axis != steps[size_t(step_)].view_axis) {
            earlier = push;
        }
    }
    if (earlier) {
        conflicting_step_ = *earlier;
        state_ = State::conflict;
        since_ = -1;
        lead_.reset();
        return;
    }
    found_[size_t(step_)] = Found{device_axis, sign};
    ++step_;
    begin_step(ms);
}

void MappingDetector::skip() {
    if (state_ == State::done) {
        return;
    }
    found_[size_t(step_)].reset();
    ++step_;
    begin_step(now_);
}

MappingDetector::Mapping MappingDetector::mapping() const {
    Mapping mapping;
    std::array<bool, 3> view_axis_taken{};
    for (size_t s = 0; s < steps.size(); ++s) {
        if (!found_[s]) {
            continue;
        }
        const Step& step = steps[s];
        const auto [device_axis, sign] = *found_[s];
        if (step.rotation) {
            mapping.rotation_sign[size_t(device_axis - 3)] = sign * step.sign;
        } else {
            mapping.axis[size_t(device_axis)] = step.view_axis;
            mapping.translation_sign[size_t(device_axis)] = sign * step.sign;
            view_axis_taken[size_t(step.view_axis)] = true;
        }
    }
    // Two pushes found tell the third axis too, if not its direction.
    const auto unknown = std::count(mapping.axis.begin(), mapping.axis.end(), std::nullopt);
    if (unknown == 1) {
        const auto free_view_axis =
            std::find(view_axis_taken.begin(), view_axis_taken.end(), false);
        *std::find(mapping.axis.begin(), mapping.axis.end(), std::nullopt) =
            int(free_view_axis - view_axis_taken.begin());
    }
    return mapping;
}
