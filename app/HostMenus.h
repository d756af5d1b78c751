#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class HostCommands;
class Languages;
class ModelView;
class QAction;
class QMenu;
class SettingsHistory;
class XMMainWindow;

// The main window's menus. File opens a model, one of the last ten again,
// and quits; Edit undoes and redoes settings changes; View runs the
// built-in view functions, with their usual keys anywhere in the window
// but in a text field or spin box, lists every function, the user's own
// too, and shows or hides each dock; Language switches the language the
// host speaks. They translate themselves again, with the window's dock
// titles, whenever the language changes.
class HostMenus : public QObject {
    Q_OBJECT
public:
    // `set_up_device` opens the device's setup assistant; none leaves the
    // entry disabled.
    HostMenus(XMMainWindow& window, ModelView& view, HostCommands& commands, Languages& languages,
              SettingsHistory& history, std::function<void()> set_up_device = {});
    // A menu of the View menu's own, after its functions.
    void add_view_submenu(QMenu* menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QString menu_origin();
    void add_file_menu();
    void add_edit_menu(SettingsHistory& history);
    void add_dock_entries();
    void add_view_menu();
    void add_language_menu();
    void add_device_menu(std::function<void()> set_up_device);
    void fill_functions_menu();
    void open_model_file();
    void fill_recent_menu();
    void retranslate();

    XMMainWindow& window_;
    ModelView& model_view_;
    HostCommands& commands_;
    Languages& languages_;
    QMenu* file_;
    QAction* open_;
    QMenu* recent_;
    QAction* quit_;
    QMenu* edit_;
    QAction* undo_;
    QAction* redo_;
    QMenu* view_;
    std::vector<QAction*> view_actions_;
    // The view action that a key triggers, until it runs.
    QAction* by_key_ = nullptr;
    QMenu* functions_;
    QMenu* language_;
    QMenu* device_;
    QAction* set_up_device_;
};
