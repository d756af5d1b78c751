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
    , current_(now())
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

SettingsHistory::Snapshot SettingsHistory::now(bool with_profiles) const {
    Snapshot snapshot{manager_.profile(), manager_.current_settings(), std::nullopt};
    if (with_profiles) {
        snapshot.profiles.emplace();
        for (const QString& name : manager_.profile_names()) {
            snapshot.profiles->emplace(name, manager_.profile_settings(name));
        }
    }
    return snapshot;
}

// What changed since the last step becomes a step of its own.
void SettingsHistory::record() {
    settle_.stop();
    Snapshot snapshot = now();
    if (!(snapshot == current_)) {
        undone_.push_back(std::move(current_));
        redone_.clear();
        current_ = std::move(snapshot);
    }
    emit changed();
}

bool SettingsHistory::record_profiles_change(const std::function<bool()>& change) {
    record();
    Snapshot before = now(true);
    applying_ = true;
    const bool changed_profiles = change();
    applying_ = false;
    Snapshot after = now(true);
    if (before.profiles != after.profiles || !(before == after)) {
        undone_.push_back(std::move(before));
        redone_.clear();
        current_ = std::move(after);
    }
    emit changed();
    return changed_profiles;
}

// The profiles as they were, if the step holds them; then the profile in
// use and its settings.
void SettingsHistory::go_to(const Snapshot& snapshot) {
    if (snapshot.profiles) {
        for (const auto& [name, saved] : *snapshot.profiles) {
            if (!manager_.has_profile(name) || !(manager_.profile_settings(name) == saved)) {
                manager_.store_profile(name, saved);
            }
        }
    }
    manager_.switch_profile(snapshot.profile);
    if (snapshot.profiles) {
        for (const QString& name : manager_.profile_names()) {
            if (!snapshot.profiles->count(name)) {
                manager_.remove_profile(name);
            }
        }
    }
    if (!(manager_.current_settings() == snapshot.settings)) {
        manager_.apply_settings(snapshot.settings);
    }
}

void SettingsHistory::undo() {
    step(undone_, redone_);
}

void SettingsHistory::redo() {
    step(redone_, undone_);
}

// Takes the last step of `from` back, keeping where it leaves in `to`.
// A step that changed profiles is taken back with them: each side keeps them.
void SettingsHistory::step(std::vector<Snapshot>& from, std::vector<Snapshot>& to) {
    record();
    if (from.empty()) {
        return;
    }
    const bool with_profiles = from.back().profiles.has_value();
    current_ = now(with_profiles);
    to.push_back(std::move(current_));
    current_ = std::move(from.back());
    from.pop_back();
    applying_ = true;
    go_to(current_);
    applying_ = false;
    emit changed();
}
