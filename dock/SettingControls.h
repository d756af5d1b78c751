#pragma once

// Controls of the host bound to navigation settings: a user's change only
// writes the setting, and each control follows its setting whoever changes
// it, as the settings dialog's own do.

#include <QObject>
#include <functional>
#include <vector>

#include "Kestrava_spaceWare.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;
class QWidget;

class SettingControls : public QObject {
public:
    SettingControls(SpaceWarePreferencesManager& manager, QObject* parent);
    ~SettingControls() override;

    // A combo whose items are the setting's choices, in their group's order.
    QComboBox* choice(NavigAttribute attribute, QWidget* parent, const char* name);
    // A check box: checked is "on".
    QCheckBox* switch_box(NavigAttribute attribute, QWidget* parent, const char* name);
    // Spin boxes for a number, in the range the schema gives.
    QSpinBox* whole_number(NavigAttribute attribute, QWidget* parent, const char* name);
    QDoubleSpinBox* number(NavigAttribute attribute, QWidget* parent, const char* name,
                           double step);

    // Called after every control has followed a change.
    void on_change(std::function<void()> callback) { changed_ = std::move(callback); }

private:
    class Observer;
    void follow(NavigAttribute attribute, std::function<void()> show);
    void refresh();

    SpaceWarePreferencesManager& manager_;
    std::vector<std::function<void()>> shows_;
    std::function<void()> changed_;
    SmartResource<ValueObserver> observer_;
};
