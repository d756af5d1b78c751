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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool may_close();
    void warn_not_saved();

    QWidget& window_;
    SpaceWarePreferencesManager& manager_;
};
