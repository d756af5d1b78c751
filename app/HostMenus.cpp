#include "HostMenus.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

#include "HostCommands.h"
#include "Kestrava_spaceWare.h"
#include "ModelView.h"
#include "StlFile.h"
#include "Tarvik_gui.h"

namespace {
struct ViewEntry {
    const char* text;
    const char* function;
    const char* keys;
};

// Keys as modelling programs give them: digits for the standard views.
const ViewEntry view_entries[] = {
    {QT_TRANSLATE_NOOP("HostMenus", "Fit &All"), "Fit_All", "F"},
    {QT_TRANSLATE_NOOP("HostMenus", "Fit &Selection"), "Fit_Selection", "Shift+F"},
    {nullptr, nullptr, nullptr},
    {QT_TRANSLATE_NOOP("HostMenus", "&Front"), "View_Front", "1"},
    {QT_TRANSLATE_NOOP("HostMenus", "&Top"), "View_Top", "2"},
    {QT_TRANSLATE_NOOP("HostMenus", "&Right"), "View_Right", "3"},
    {QT_TRANSLATE_NOOP("HostMenus", "&Back"), "View_Back", "4"},
    {QT_TRANSLATE_NOOP("HostMenus", "B&ottom"), "View_Bottom", "5"},
    {QT_TRANSLATE_NOOP("HostMenus", "&Left"), "View_Left", "6"},
    {QT_TRANSLATE_NOOP("HostMenus", "&Isometric"), "View_Isometric", "0"},
    {nullptr, nullptr, nullptr},
    {QT_TRANSLATE_NOOP("HostMenus", "R&eset View"), "Reset_View", "Home"},
    {QT_TRANSLATE_NOOP("HostMenus", "Toggle &Projection"), "Toggle_Projection", "P"},
};

QString menu_origin() {
    return QApplication::translate("HostMenus", "menu");
}

void add_file_menu(XMMainWindow& window) {
    QMenu* file = window.menuBar()->addMenu(QApplication::translate("HostMenus", "&File"));
    file->setObjectName(QStringLiteral("file_menu"));
    QAction* open = file->addAction(QApplication::translate("HostMenus", "&Open Model\u2026"));
    open->setObjectName(QStringLiteral("open_model_action"));
    open->setShortcut(QKeySequence::Open);
    QObject::connect(open, &QAction::triggered, &window, [&window] {
        const QString path = QFileDialog::getOpenFileName(
            &window, QApplication::translate("HostMenus", "Open Model"), QString(),
            QApplication::translate("HostMenus", "STL files (*.stl *.STL);;All files (*)"));
        QString error;
        if (!path.isEmpty() && !open_model(*window.model_view(), path, error)) {
            QMessageBox::warning(
                &window, QApplication::translate("HostMenus", "Open Model"),
                QApplication::translate("HostMenus", "%1 cannot be shown: %2.").arg(path, error));
        }
    });
    file->addSeparator();
    QAction* quit = file->addAction(QApplication::translate("HostMenus", "&Quit"));
    quit->setShortcut(QKeySequence::Quit);
    QObject::connect(quit, &QAction::triggered, &window, &QWidget::close);
}

// Every function, the user's own too, as the manager has them now.
void fill_functions_menu(QMenu* menu, HostCommands& commands) {
    menu->clear();
    const SpaceWarePreferencesManager* manager = SpaceWareLib::instance()->preferences_manager();
    for (FunctionNameIterator it = manager->function_name_iterator(); it.more(); it.next()) {
        const CopyCString name = it.key();
        QAction* action = menu->addAction(QString::fromLatin1(name.c_str()));
        action->setObjectName(QStringLiteral("function_%1_action").arg(action->text()));
        QObject::connect(action, &QAction::triggered, menu,
                         [&commands, name] { commands.run_function(menu_origin(), name); });
    }
}
} // namespace

void add_host_menus(XMMainWindow& window, HostCommands& commands) {
    add_file_menu(window);
    QMenu* view = window.menuBar()->addMenu(QApplication::translate("HostMenus", "&View"));
    view->setObjectName(QStringLiteral("view_menu"));
    for (const ViewEntry& entry : view_entries) {
        if (!entry.text) {
            view->addSeparator();
            continue;
        }
        QAction* action = view->addAction(QApplication::translate("HostMenus", entry.text));
        action->setObjectName(QStringLiteral("view_%1_action").arg(entry.function).toLower());
        action->setShortcut(QKeySequence(QLatin1String(entry.keys)));
        // The keys belong to the view: typing in the settings stays typing.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        window.model_view()->addAction(action);
        const CopyCString function(entry.function);
        QObject::connect(action, &QAction::triggered, &window,
                         [&commands, function] { commands.run_function(menu_origin(), function); });
    }
    view->addSeparator();
    QMenu* functions = view->addMenu(QApplication::translate("HostMenus", "F&unctions"));
    functions->setObjectName(QStringLiteral("functions_menu"));
    // Filled now, and again each time it opens: functions come and go.
    fill_functions_menu(functions, commands);
    QObject::connect(functions, &QMenu::aboutToShow, functions,
                     [functions, &commands] { fill_functions_menu(functions, commands); });
}

bool open_model(ModelView& view, const QString& path, QString& error) {
    std::optional<Model> model = read_stl(path, error);
    if (model) {
        view.set_model(std::move(*model));
    }
    return model.has_value();
}
