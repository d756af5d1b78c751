#pragma once

#include <QObject>
#include <functional>

class HostCommands;
class ModelView;
class QAction;
class QMenu;
class QMainWindow;
class SpaceWarePreferencesManager;

// Help → Commands lists every command a function can use, with an example;
// Help → About tells the version, Qt's, how the view draws, where the
// preferences are kept and the device's state.
class HelpMenu : public QObject {
    Q_OBJECT
public:
    HelpMenu(QMainWindow& window, const HostCommands& commands, const ModelView& view,
             const SpaceWarePreferencesManager& manager, std::function<QString()> device_state);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show_commands();
    void show_about();
    void retranslate();

    QMainWindow& window_;
    const HostCommands& commands_;
    const ModelView& view_;
    const SpaceWarePreferencesManager& manager_;
    std::function<QString()> device_state_;
    QMenu* menu_;
    QAction* commands_action_;
    QAction* about_;
};
