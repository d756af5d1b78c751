#pragma once

#include <QObject>
#include <QTimer>
#include <vector>

#include "Kestrava_spaceWare.h"

// Undo and redo over every setting the user changes: mappings, directions,
// sensitivities, bindings, and the device's and navigation's own. What
// changes in one turn of the event loop is one step (a mapping and the
// swap it causes; an assistant's result); a slider dragged is one step when
// it is let go. Steps are written back through the manager, so every
// widget follows.
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

signals:
    // can_undo() or can_redo() may have changed.
    void changed();

private:
    class Observer;

    bool settling() const { return settle_.isActive(); }
    void setting_written();
    void settle();
    void record();
    void step(std::vector<Manager::Settings>& from, std::vector<Manager::Settings>& to);

    Manager& manager_;
    Manager::Settings current_;
    std::vector<Manager::Settings> undone_;
    std::vector<Manager::Settings> redone_;
    QTimer settle_;
    bool applying_ = false;
    SmartResource<ValueObserver> observer_;
};
