#pragma once

// The level of detail a view draws: a model larger than a software driver
// draws with ease gets a chain of simplified levels, made on a worker after
// the model shows: quick ones at once, fine ones in their place after. While the view moves, each
// frame draws the finest level whose cost fits a frame; a still view, and a model that fits the
// frame whole, are drawn whole. The cost is measured as frames are drawn:
// a frame takes a fixed time (its pixels) and a time a triangle, found from
// the moving averages of the two levels drawn last.

#include <QObject>
#include <memory>
#include <vector>

#include "BackgroundJob.h"
#include "Model.h"

#include "tarvik_view_export.h"

class TARVIK_VIEW_EXPORT DetailLevels : public QObject {
public:
    // Models of more triangles get levels, down to the coarsest's size.
    static constexpr size_t simplified_budget = 20000;
    static constexpr size_t coarsest = 4000;
    static constexpr double frame_ms = 1000.0 / 60;
    // What a level's frame may take of the time between frames: the rest is
    // the screen's and the events'.
    static constexpr double drawing_share = 0.8;

    explicit DetailLevels(QObject* parent);
    ~DetailLevels() override;

    // Drops the levels of the model before, and makes those of `model` if
    // it needs them; the view works meanwhile.
    void prepare(std::shared_ptr<const Model> model);
    // Finest first, once they are made; none for a model drawn whole.
    const std::vector<std::shared_ptr<const Model>>& levels() const { return levels_; }
    // A number that changes whenever the levels are others.
    quint64 generation() const { return generation_; }
    // Whether the levels held are the fine ones, made last.
    bool are_fine() const { return fine_; }
    // The level a frame draws: 0 the model whole, n the n-th level.
    size_t chosen(bool moving) const;
    // Always draws that level, to compare; 0 chooses as usual again.
    void show_level(size_t level) { shown_ = level; }
    // How long a frame of that level took to draw.
    void frame_drawn(size_t level, double ms);
    // What a frame of the level is expected to take, in ms.
    double expected_ms(size_t level) const;

private:
    // A level's frames: the moving average of their times, and the number
    // of the last one.
    struct Measured {
        double ms = 0;
        quint64 frame = 0;
    };
    size_t triangles_of(size_t level) const;
    bool is_fresh(const Measured& measured) const;

    BackgroundJob simplifier_;
    std::shared_ptr<const Model> model_;
    std::vector<std::shared_ptr<const Model>> levels_;
    quint64 generation_ = 0;
    // Counts the models prepared: levels are kept only for the newest.
    quint64 prepared_ = 0;
    std::vector<Measured> measured_;
    quint64 frames_ = 0;
    double fixed_ms_ = 0;
    double ms_per_triangle_ = 0;
    size_t shown_ = 0;
    bool fine_ = false;
};
