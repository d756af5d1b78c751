#pragma once

#include <QObject>

class QWidget;
class SpaceWarePreferencesManager;

// Closing the window with settings that differ from the saved preferences
// asks first: Save keeps them (and closes only if the save worked), Discard
// lets them go, Cancel keeps the window open.
class QuitGuard : public QObject {
    Q_OBJECT
public:
    QuitGuard(QWidget& window, SpaceWarePreferencesManager& manager);

    // Asks `question` about unsaved settings, if there are any: true when
    // they are saved or let go, false when kept (Cancel, or a failed save).
    static bool may_leave_settings(QWidget& window, SpaceWarePreferencesManager& manager,
                                   const QString& question);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    SpaceWarePreferencesManager& manager_;
};
