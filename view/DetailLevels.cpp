#include "DetailLevels.h"

#include "Simplify.h"

DetailLevels::DetailLevels(QObject* parent)
    : QObject(parent) {}

// The copy under way ends before anything it reaches goes.
DetailLevels::~DetailLevels() {
    simplifier_.stop();
}

void DetailLevels::prepare(std::shared_ptr<const Model> model) {
    simplifier_.stop();
    simplified_.reset();
    whole_frame_ms_ = 0;
    const quint64 number = ++prepared_;
    if (model->triangle_count() <= simplified_budget) {
        return;
    }
    simplifier_.run([this, model, number](const std::atomic<bool>& stopping) {
        auto copy = ::simplified(*model, simplified_budget, stopping);
        if (!copy) {
            return;
        }
        auto shared = std::make_shared<const Model>(std::move(*copy));
        QMetaObject::invokeMethod(
            this,
            [this, shared, number] {
                if (number == prepared_) {
                    simplified_ = shared;
                    ++generation_;
                }
            },
            Qt::QueuedConnection);
    });
}

bool DetailLevels::draws_simplified(bool moving) const {
    return simplified_ && (always_ || (moving && whole_frame_ms_ > frame_ms));
}

void DetailLevels::frame_drawn(bool whole, double ms) {
    if (whole) {
        whole_frame_ms_ = ms;
    }
}
