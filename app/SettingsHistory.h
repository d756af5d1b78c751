#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "Kestrava_spaceWare.h"

// Undo and redo over every setting the user changes: mappings, directions,
// sensitivities, bindings, and the device's and navigation's own. What
// changes in one turn of the event loop is one step (a mapping and the
// swap it causes; an assistant's result); a slider dragged is one step when
// it is let go. A switch of profile is a step, and so is a change of the
// profiles themselves (an import). Steps are written back through the
// manager, so every widget follows.
class SettingsHistory : public QObject {
    Q_OBJECT
public:
    using Manager = SpaceWarePreferencesManager;

    explicit SettingsHistory(Manager& manager, QObject* parent = nullptr);
    ~SettingsHistory() override;

    bool can_undo() const { return !undone_.empty() || settling(); }
    bool can_redo() const { return !redone_.empty(); }
    void undo();
    void redo();
    // Runs a change of profiles (one made, or replaced) as one step, which
    // an undo takes back whole: the profiles as they were, the one in use.
    bool record_profiles_change(const std::function<bool()>& change);

signals:
    // can_undo() or can_redo() may have changed.
    void changed();

private:
    class Observer;
    // Profiles by name, each with its saved values, or none for one that
    // is not there.
    using StoredProfiles = std::map<QString, std::optional<Manager::Settings>>;
    // What a step goes back to: the profile in use and the settings; and,
    // for a change of profiles, the profiles it changed as they were.
    struct Snapshot {
        QString profile;
        Manager::Settings settings;
        StoredProfiles profiles;
        bool operator==(const Snapshot& other) const {
            return profile == other.profile && settings == other.settings;
        }
    };
    Snapshot now() const;
    StoredProfiles stored(const StoredProfiles& names) const;
    StoredProfiles stored_all() const;
    void go_to(const Snapshot& snapshot);

    bool settling() const { return settle_.isActive(); }
    void setting_written();
    void settle();
    void record();
    void step(std::vector<Snapshot>& from, std::vector<Snapshot>& to);

    Manager& manager_;
    Snapshot current_;
    std::vector<Snapshot> undone_;
    std::vector<Snapshot> redone_;
    QTimer settle_;
    bool applying_ = false;
    SmartResource<ValueObserver> observer_;
};
