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

SettingsHistory::Snapshot SettingsHistory::now() const {
    return {manager_.profile(), manager_.current_settings(), {}};
}

// The profiles of these names as they are now.
SettingsHistory::StoredProfiles SettingsHistory::stored(const StoredProfiles& names) const {
    StoredProfiles profiles;
    for (const auto& entry : names) {
        const QString& name = entry.first;
        profiles[name] = manager_.has_profile(name)
                             ? std::optional<Manager::Settings>(manager_.profile_settings(name))
                             : std::nullopt;
    }
    return profiles;
}

SettingsHistory::StoredProfiles SettingsHistory::stored_all() const {
    StoredProfiles names;
    for (const QString& name : manager_.profile_names()) {
        names[name];
    }
    return stored(names);
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

// Only the profiles the change touched are kept: an undo leaves a
// profile saved since as it is.
bool SettingsHistory::record_profiles_change(const std::function<bool()>& change) {
    record();
    const StoredProfiles before = stored_all();
    applying_ = true;
    const bool changed_profiles = change();
    applying_ = false;
    const StoredProfiles after = stored_all();
    const auto saved_in = [](const StoredProfiles& profiles, const QString& name) {
        const auto found = profiles.find(name);
        return found == profiles.end() ? std::nullopt : found->second;
    };
    Snapshot step = current_;
    for (const StoredProfiles* side : {&before, &after}) {
        for (const auto& entry : *side) {
            if (saved_in(before, entry.first) != saved_in(after, entry.first)) {
                step.profiles[entry.first] = saved_in(before, entry.first);
            }
        }
    }
    Snapshot reached = now();
    if (!step.profiles.empty() || !(step == reached)) {
        undone_.push_back(std::move(step));
        redone_.clear();
        current_ = std::move(reached);
    }
    emit changed();
    return changed_profiles;
}

// The profiles as the step had them, then the profile in use and its
// settings.
void SettingsHistory::go_to(const Snapshot& snapshot) {
    for (const auto& [name, saved] : snapshot.profiles) {
        if (saved && !(manager_.has_profile(name) && manager_.profile_settings(name) == *saved)) {
            manager_.store_profile(name, *saved);
        }
    }
    manager_.switch_profile(snapshot.profile);
    for (const auto& [name, saved] : snapshot.profiles) {
        if (!saved && manager_.has_profile(name)) {
            manager_.remove_profile(name);
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

// The other side keeps the profiles the step touches as they are now.
void SettingsHistory::step(std::vector<Snapshot>& from, std::vector<Snapshot>& to) {
    record();
    if (from.empty()) {
        return;
    }
    Snapshot target = std::move(from.back());
    from.pop_back();
    current_.profiles = stored(target.profiles);
    to.push_back(std::move(current_));
    applying_ = true;
    go_to(target);
    applying_ = false;
    target.profiles.clear();
    current_ = std::move(target);
    emit changed();
}
