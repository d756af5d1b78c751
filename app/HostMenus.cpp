#include "HostMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDockWidget>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTextDocument>

#include "CommandLog.h"
#include "FunctionNames.h"
#include "HostCommands.h"
#include "Kestrava_spaceWare.h"
#include "Languages.h"
#include "ModelFile.h"
#include "ModelView.h"
#include "RecentModels.h"
#include "SettingsHistory.h"
#include "StandardViews.h"
#include "Tarvik_gui.h"

namespace {
struct ViewEntry {
    const char* text;
    const char* function;
    const char* keys;
    // A separator goes before it.
    bool starts_group = false;
    // The context its text is translated in.
    const char* context = "HostMenus";
};

// The functions of the View menu: fitting, the standard views with their
// usual keys, and the view as a whole.
const std::vector<ViewEntry>& view_entries() {
    static const std::vector<ViewEntry> entries = [] {
        std::vector<ViewEntry> entries{
            {QT_TRANSLATE_NOOP("HostMenus", "Fit &All"), "Fit_All", "F"},
            {QT_TRANSLATE_NOOP("HostMenus", "Fit &Selection"), "Fit_Selection", "Shift+F"}};
        for (const StandardViewEntry& view : standard_views) {
            entries.push_back(
                {view.label, view.function, view.key, entries.size() == 2, standard_view_context});
        }
        entries.push_back(
            {QT_TRANSLATE_NOOP("HostMenus", "R&eset View"), "Reset_View", "Home", true});
        entries.push_back(
            {QT_TRANSLATE_NOOP("HostMenus", "Toggle &Projection"), "Toggle_Projection", "P"});
        return entries;
    }();
    return entries;
}

} // namespace

QString HostMenus::menu_origin() {
    return tr("menu");
}

HostMenus::HostMenus(XMMainWindow& window, ModelView& view, HostCommands& commands,
                     Languages& languages, SettingsHistory& history,
                     std::function<void()> set_up_device)
    : QObject(&window)
    , window_(window)
    , model_view_(view)
    , commands_(commands)
    , languages_(languages) {
    add_file_menu();
    add_edit_menu(history);
    add_view_menu();
    add_device_menu(std::move(set_up_device));
    add_language_menu();
    retranslate();
    window.installEventFilter(this);
}

void HostMenus::add_file_menu() {
    file_ = window_.menuBar()->addMenu(QString());
    file_->setObjectName(QStringLiteral("file_menu"));
    open_ = file_->addAction(QString());
    open_->setObjectName(QStringLiteral("open_model_action"));
    open_->setShortcut(QKeySequence::Open);
    connect(open_, &QAction::triggered, this, &HostMenus::open_model_file);
    recent_ = file_->addMenu(QString());
    recent_->setObjectName(QStringLiteral("recent_models_menu"));
    fill_recent_menu();
    connect(recent_, &QMenu::aboutToShow, this, &HostMenus::fill_recent_menu);
    connect(&model_view_, &ModelView::model_opened, this,
            [](const QString& path) { RecentModels::add(path); });
    file_->addSeparator();
    quit_ = file_->addAction(QString());
    quit_->setObjectName(QStringLiteral("quit_action"));
    quit_->setShortcut(QKeySequence::Quit);
    connect(quit_, &QAction::triggered, &window_, &QWidget::close);
}

void HostMenus::add_view_menu() {
    view_ = window_.menuBar()->addMenu(QString());
    view_->setObjectName(QStringLiteral("view_menu"));
    for (const ViewEntry& entry : view_entries()) {
        if (entry.starts_group) {
            view_->addSeparator();
        }
        QAction* action = view_->addAction(QString());
        action->setObjectName(QStringLiteral("view_%1_action").arg(entry.function).toLower());
        // Anywhere in the window: text fields and spin boxes take the
        // keys they type before any shortcut sees them.
        action->setShortcut(QKeySequence(QLatin1String(entry.keys)));
        action->setShortcutContext(Qt::WindowShortcut);
        action->installEventFilter(this);
        const CopyCString function(entry.function);
        connect(action, &QAction::triggered, this, [this, action, function] {
            const QString origin =
                by_key_ == action
                    ? tr("key %1").arg(action->shortcut().toString(QKeySequence::NativeText))
                    : menu_origin();
            by_key_ = nullptr;
            commands_.run_function(origin, function);
        });
        view_actions_.push_back(action);
    }
    view_->addSeparator();
    functions_ = view_->addMenu(QString());
    functions_->setObjectName(QStringLiteral("functions_menu"));
    // Filled in each language, and again each time it opens: functions
    // come and go.
    connect(functions_, &QMenu::aboutToShow, this, &HostMenus::fill_functions_menu);
    add_dock_entries();
}

void HostMenus::add_view_submenu(QMenu* menu) {
    view_->insertMenu(functions_->menuAction(), menu);
}

// Each dock shown or hidden from the menu, and the log emptied.
void HostMenus::add_dock_entries() {
    view_->addSeparator();
    for (QDockWidget* dock : window_.findChildren<QDockWidget*>()) {
        QAction* toggle = dock->toggleViewAction();
        toggle->setObjectName(dock->objectName() + QStringLiteral("_action"));
        view_->addAction(toggle);
    }
    if (auto* log = window_.findChild<CommandLog*>()) {
        view_->addAction(log->clear_action());
    }
}

void HostMenus::add_edit_menu(SettingsHistory& history) {
    edit_ = window_.menuBar()->addMenu(QString());
    edit_->setObjectName(QStringLiteral("edit_menu"));
    undo_ = edit_->addAction(QString());
    undo_->setObjectName(QStringLiteral("undo_action"));
    undo_->setShortcut(QKeySequence::Undo);
    connect(undo_, &QAction::triggered, &history, &SettingsHistory::undo);
    redo_ = edit_->addAction(QString());
    redo_->setObjectName(QStringLiteral("redo_action"));
    redo_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    connect(redo_, &QAction::triggered, &history, &SettingsHistory::redo);
    const auto follow = [this, &history] {
        undo_->setEnabled(history.can_undo());
        redo_->setEnabled(history.can_redo());
    };
    follow();
    connect(&history, &SettingsHistory::changed, this, follow);
}

void HostMenus::add_device_menu(std::function<void()> set_up_device) {
    device_ = window_.menuBar()->addMenu(QString());
    device_->setObjectName(QStringLiteral("device_menu"));
    set_up_device_ = device_->addAction(QString());
    set_up_device_->setObjectName(QStringLiteral("device_setup_action"));
    set_up_device_->setEnabled(bool(set_up_device));
    connect(set_up_device_, &QAction::triggered, this,
            [set_up_device = std::move(set_up_device)] { set_up_device(); });
}

void HostMenus::add_language_menu() {
    language_ = window_.menuBar()->addMenu(QString());
    language_->setObjectName(QStringLiteral("language_menu"));
    auto* group = new QActionGroup(language_);
    for (const QString& code : Languages::codes()) {
        // Each language is named in itself, so that a user finds their own.
        QAction* action = language_->addAction(Languages::native_name(code));
        action->setObjectName(QStringLiteral("language_%1_action").arg(code));
        action->setCheckable(true);
        action->setChecked(code == languages_.current());
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, code, action] {
            if (!languages_.use(code)) {
                action->setChecked(false);
                QMessageBox::warning(&window_, tr("Language"),
                                     tr("The translation into %1 cannot be found.")
                                         .arg(Languages::native_name(code)));
            }
        });
    }
}

// Every function, the user's own too, as the manager has them now.
void HostMenus::fill_functions_menu() {
    functions_->clear();
    const SpaceWarePreferencesManager* manager = SpaceWareLib::instance()->preferences_manager();
    for (FunctionNameIterator it = manager->function_name_iterator(); it.more(); it.next()) {
        const CopyCString name = it.key();
        // Doing nothing is no entry.
        if (name == SpaceWarePreferencesManager::no_action_name()) {
            continue;
        }
        QAction* action = functions_->addAction(
            function_name_for_people(*manager, name).replace('&', QStringLiteral("&&")));
        action->setObjectName(QStringLiteral("function_%1_action").arg(qstring_of(name)));
        connect(action, &QAction::triggered, this,
                [this, name] { commands_.run_function(menu_origin(), name); });
    }
}

// The view reads the file in the background, and tells what it found.
void HostMenus::open_model_file() {
    QStringList filters{tr("All models (%1)").arg(model_file_patterns().join(' '))};
    for (const ModelFormat& format : model_formats()) {
        QStringList patterns;
        for (const QString& ending : format.endings) {
            patterns << QStringLiteral("*.") + ending;
        }
        filters << QStringLiteral("%1 (%2)").arg(QLatin1String(format.name), patterns.join(' '));
    }
    filters << tr("All files (*)");
    const QString path = QFileDialog::getOpenFileName(&window_, tr("Open Model"), QString(),
                                                      filters.join(QStringLiteral(";;")));
    if (!path.isEmpty()) {
        model_view_.open(path);
    }
}

// The last ten models, newest first, named by their files.
void HostMenus::fill_recent_menu() {
    recent_->clear();
    const QStringList paths = RecentModels::paths();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        // The digit is the entry's key; a '&' of the file's name is no key.
        const QString number =
            i + 1 < 10 ? QStringLiteral("&%1").arg(i + 1) : QStringLiteral("1&0");
        const QString name = QFileInfo(paths[i]).fileName().replace('&', QStringLiteral("&&"));
        QAction* action = recent_->addAction(QStringLiteral("%1 %2").arg(number, name));
        action->setObjectName(QStringLiteral("recent_model_%1_action").arg(i + 1));
        // A tooltip that looks like markup is taken as markup: never a path.
        action->setToolTip(Qt::convertFromPlainText(paths[i], Qt::WhiteSpaceNoWrap));
        const QString path = paths[i];
        connect(action, &QAction::triggered, this, [this, path] { model_view_.open(path); });
    }
    recent_->setEnabled(!paths.isEmpty());
}

bool HostMenus::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::LanguageChange) {
        retranslate();
    } else if (event->type() == QEvent::Shortcut) {
        by_key_ = qobject_cast<QAction*>(watched);
    }
    return false;
}

void HostMenus::retranslate() {
    file_->setTitle(tr("&File"));
    open_->setText(tr("&Open Model\u2026"));
    recent_->setTitle(tr("Open &Recent"));
    quit_->setText(tr("&Quit"));
    edit_->setTitle(tr("&Edit"));
    undo_->setText(tr("&Undo"));
    redo_->setText(tr("&Redo"));
    view_->setTitle(tr("&View"));
    for (size_t i = 0; i < view_actions_.size(); ++i) {
        const ViewEntry& entry = view_entries()[i];
        view_actions_[i]->setText(QCoreApplication::translate(entry.context, entry.text));
    }
    functions_->setTitle(tr("F&unctions"));
    fill_functions_menu();
    language_->setTitle(tr("&Language"));
    device_->setTitle(tr("&Device"));
    set_up_device_->setText(tr("&Set Up\u2026"));
    const std::pair<const char*, const char*> docks[] = {
        {"device_dock", QT_TRANSLATE_NOOP("HostMenus", "Device")},
        {"command_dock", QT_TRANSLATE_NOOP("HostMenus", "Commands")}};
    for (const auto& [name, title] : docks) {
        if (auto* dock = window_.findChild<QDockWidget*>(QLatin1String(name))) {
            dock->setWindowTitle(tr(title));
        }
    }
}
