#include "DetailLevels.h"

#include <algorithm>

#include "Simplify.h"

namespace {
// The weight of the newest frame in the moving average: a change of cost
// shows within a few frames, one odd frame does not swing it.
const double newest_weight = 0.3;
// A level drawn longer ago than a sixth of a second of frames tells no
// more: the cost may have changed since.
const quint64 fresh_frames = 10;
} // namespace

DetailLevels::DetailLevels(QObject* parent)
    : QObject(parent) {}

// The levels under way end before anything they reach goes.
DetailLevels::~DetailLevels() {
    simplifier_.stop();
}

void DetailLevels::prepare(std::shared_ptr<const Model> model) {
    simplifier_.stop();
    levels_.clear();
    measured_.clear();
    fine_ = false;
    ++generation_;
    model_ = model;
    const quint64 number = ++prepared_;
    if (model->triangle_count() <= simplified_budget) {
        return;
    }
    simplifier_.run([this, model, number](const std::atomic<bool>& stopping) {
        for (const LevelQuality quality : {LevelQuality::quick, LevelQuality::fine}) {
            std::vector<std::shared_ptr<const Model>> made;
            for (Model& level : detail_levels(*model, coarsest, quality, stopping)) {
                made.push_back(std::make_shared<const Model>(std::move(level)));
            }
            if (made.empty()) {
                return;
            }
            QMetaObject::invokeMethod(
                this,
                [this, made = std::move(made), number, quality] {
                    if (number == prepared_) {
                        levels_ = made;
                        measured_.clear();
                        fine_ = quality == LevelQuality::fine;
                        ++generation_;
                    }
                },
                Qt::QueuedConnection);
        }
    });
}

size_t DetailLevels::triangles_of(size_t level) const {
    return level == 0 ? (model_ ? model_->triangle_count() : 0)
                      : levels_[level - 1]->triangle_count();
}

bool DetailLevels::is_fresh(const Measured& measured) const {
    return measured.frame > 0 && frames_ - measured.frame <= fresh_frames;
}

double DetailLevels::expected_ms(size_t level) const {
    return fixed_ms_ + ms_per_triangle_ * double(triangles_of(level));
}

// The finest level whose frame is expected to fit, else the coarsest.
size_t DetailLevels::chosen(bool moving) const {
    if (shown_ > 0 && shown_ <= levels_.size()) {
        return shown_;
    }
    if (!moving || levels_.empty()) {
        return 0;
    }
    const double budget = frame_ms * drawing_share;
    for (size_t level = 0; level < levels_.size(); ++level) {
        if (expected_ms(level) <= budget) {
            return level;
        }
    }
    return levels_.size();
}

// The line through the averages of this level and of the other drawn last,
// if lately; with this level alone, its time less the fixed one is the
// triangles'.
void DetailLevels::frame_drawn(size_t level, double ms) {
    ++frames_;
    if (level > levels_.size()) {
        return;
    }
    measured_.resize(levels_.size() + 1);
    Measured& now = measured_[level];
    now.ms = is_fresh(now) ? (1 - newest_weight) * now.ms + newest_weight * ms : ms;
    now.frame = frames_;
    const Measured* other = nullptr;
    size_t other_level = 0;
    for (size_t l = 0; l < measured_.size(); ++l) {
        if (l != level && is_fresh(measured_[l]) && (!other || measured_[l].frame > other->frame)) {
            other = &measured_[l];
            other_level = l;
        }
    }
    const double triangles = double(std::max<size_t>(triangles_of(level), 1));
    if (other && triangles_of(other_level) != triangles_of(level)) {
        const double slope = (now.ms - other->ms) / (triangles - double(triangles_of(other_level)));
        ms_per_triangle_ = std::max(slope, 0.0);
        fixed_ms_ = std::clamp(now.ms - ms_per_triangle_ * triangles, 0.0, now.ms);
    } else {
        fixed_ms_ = std::min(fixed_ms_, now.ms);
        ms_per_triangle_ = (now.ms - fixed_ms_) / triangles;
    }
}
