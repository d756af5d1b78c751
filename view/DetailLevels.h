#pragma once

// The level of detail a view draws: a model larger than a software driver
// draws within a frame gets a simplified copy, made once on a worker after
// the model shows, and drawn while the view moves whenever the model whole
// took longer than a frame.

#include <QObject>
#include <memory>

#include "BackgroundJob.h"
#include "Model.h"

#include "tarvik_view_export.h"

class TARVIK_VIEW_EXPORT DetailLevels : public QObject {
public:
    // Larger models get a simplified copy of at most this many triangles:
    // what a software driver draws within a frame of a 60 Hz screen.
    static constexpr size_t simplified_budget = 20000;
    static constexpr double frame_ms = 1000.0 / 60;

    explicit DetailLevels(QObject* parent);
    ~DetailLevels() override;

    // Drops the copy of the model before, and makes one of `model` if it
    // needs one; the view works meanwhile.
    void prepare(std::shared_ptr<const Model> model);
    // The copy, once it is made; none for a model small enough to draw whole.
    const Model* simplified() const { return simplified_.get(); }
    // A number that changes whenever the copy is another one.
    quint64 generation() const { return generation_; }
    // Whether a frame draws the copy: while the view moves, if the model
    // whole took longer than a frame; or always, if asked to, to compare.
    bool draws_simplified(bool moving) const;
    void show_simplified(bool always) { always_ = always; }
    // How long a frame took to draw, the model whole or its copy.
    void frame_drawn(bool whole, double ms);

private:
    BackgroundJob simplifier_;
    std::shared_ptr<const Model> simplified_;
    quint64 generation_ = 0;
    // Counts the models prepared: a copy is kept only for the newest.
    quint64 prepared_ = 0;
    double whole_frame_ms_ = 0;
    bool always_ = false;
};
