#include "SettingsHistory.h"

#include <QApplication>

namespace {
// While a mouse button is held (a slider dragged), a step waits this long
// and looks again.
const int drag_poll_ms = 100;
} // namespace

class SettingsHistory::Observer : public ValueObserver {
public:
    explicit Observer(SettingsHistory* history)
        : history_(history) {}
    void update(Value*) override { history_->setting_written(); }

private:
    SettingsHistory* history_;
};

SettingsHistory::SettingsHistory(Manager& manager, QObject* parent)
    : QObject(parent)
    , manager_(manager)
    , current_(manager.current_settings())
    , observer_(new Observer(this)) {
    settle_.setSingleShot(true);
    connect(&settle_, &QTimer::timeout, this, &SettingsHistory::settle);
    for (int a = 0; a < Manager::navig_count; ++a) {
        manager.navig_value(static_cast<NavigAttribute>(a))->attach(observer_.get());
    }
    for (long n = 1; n <= manager.button_count(); ++n) {
        manager.button_value(n)->attach(observer_.get());
    }
}

SettingsHistory::~SettingsHistory() = default;

void SettingsHistory::setting_written() {
    if (!applying_ && !settling()) {
        settle_.start(0);
        emit changed();
    }
}

void SettingsHistory::settle() {
    if (QApplication::mouseButtons() != Qt::NoButton) {
        settle_.start(drag_poll_ms);
        return;
    }
    record();
}

// What changed since the last step becomes a step of its own.
void SettingsHistory::record() {
    settle_.stop();
    Manager::Settings now = manager_.current_settings();
    if (!(now == current_)) {
        undone_.push_back(std::move(current_));
        redone_.clear();
        current_ = std::move(now);
    }
    emit changed();
}

void SettingsHistory::undo() {
    step(undone_, redone_);
}

void SettingsHistory::redo() {
    step(redone_, undone_);
}

// Takes the last step of `from` back, keeping where it leaves in `to`.
void SettingsHistory::step(std::vector<Manager::Settings>& from,
                           std::vector<Manager::Settings>& to) {
    record();
    if (from.empty()) {
        return;
    }
    to.push_back(std::move(current_));
    current_ = std::move(from.back());
    from.pop_back();
    applying_ = true;
    manager_.apply_settings(current_);
    applying_ = false;
    emit changed();
}
