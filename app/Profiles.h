#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class ModelView;
class ProfileBar;
class QMenu;
class QWidget;
class SettingsHistory;
class SpaceWarePreferencesManager;

// The user's side of the profiles: switching (asking about unsaved
// settings first, a note over the view after, one step of undo), the View
// menu's Profiles with Ctrl+1 … Ctrl+9, the Device dock's bar, the window
// title naming the profile when there is more than one, and making,
// renaming, copying, removing, exporting and importing profiles.
class Profiles : public QObject {
    Q_OBJECT
public:
    using Manager = SpaceWarePreferencesManager;
    static constexpr const char* file_suffix = ".tarvik-profile";

    Profiles(QWidget& window, Manager& manager, ModelView& view, SettingsHistory& history);
    ~Profiles() override;

    // False when the user keeps the unsaved settings, or the switch fails.
    bool switch_to(const QString& name);
    // The next profile in name order, or the one before; round the end.
    void step(int by);
    QMenu* menu() const { return menu_; }
    // The bar of the Device dock, which follows the profiles.
    ProfileBar* make_bar(QWidget* parent);

    void new_profile();
    void rename_profile();
    void duplicate_profile();
    void delete_profile();
    void export_profile();
    // Shows what the file would change and asks first; no path asks for one.
    void import_profile(QString path = {});
    static bool is_profile_file(const QString& path);

signals:
    // The profiles or the one in use changed.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();
    void fill_menu();
    QString ask_name(const QString& title, const QString& label, const QString& suggested);
    bool confirm_import(const QString& name, const QStringList& changes, bool replaces);
    void warn(const QString& title, const QString& text);
    // Asks about unsaved settings before the profile in use is left.
    bool may_leave_profile();

    QWidget& window_;
    Manager& manager_;
    // The window's children go in the order they came: the view first.
    QPointer<ModelView> view_;
    SettingsHistory& history_;
    QString title_;
    QMenu* menu_;
    QStringList shown_;
};
