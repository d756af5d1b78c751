// The host application: loads the module, opens its "Kestrava" workflow in
// the main window, and shows it.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>
#include <utility>

#include "CommandLog.h"
#include "DevicePanel.h"
#include "DeviceSource.h"
#include "HostCommands.h"
#include "HostMenus.h"
#include "Kestrava_spaceWare.h"
#include "Languages.h"
#include "ModelView.h"
#include "MotionTransform.h"
#include "Tarvik_gui.h"
#include "Tarvik_wizard.h"
#include "UiScript.h"

namespace {
const char* const workflow_name = "Kestrava";

struct Options {
    QString module;
    QString settings;
    long buttons = SpaceWarePreferencesManager::default_button_count;
    bool buttons_given = false;
    QString screenshot;
    QString script;
    QString model;
    QString language;
};

[[noreturn]] void fail(const QString& message, int status = 1) {
    std::fprintf(stderr, "tarvik: %s\n", qPrintable(message));
    std::exit(status);
}

// Beside the program in its build folder, in a folder of its own once installed.
QString default_module() {
    const QString folder = QApplication::applicationDirPath();
    const QString beside = folder + QStringLiteral("/libKestrava_gui.so");
    return QFileInfo::exists(beside)
               ? beside
               : QDir::cleanPath(folder +
                                 QStringLiteral("/" TARVIK_MODULE_FROM_BIN "/libKestrava_gui.so"));
}

QString translations_folder() {
    return QDir::cleanPath(QApplication::applicationDirPath() +
                           QStringLiteral("/" TARVIK_TRANSLATIONS_FROM_BIN));
}

// The language --lang names, else the system's; English when its
// translation cannot be found.
void choose_language(Languages& languages, const QString& asked) {
    const QString code = asked.isEmpty() ? Languages::for_system_locale() : asked;
    if (!languages.use(code)) {
        std::fprintf(stderr, "tarvik: no translation into %s in %s; English it is\n",
                     qPrintable(code), qPrintable(translations_folder()));
    }
}

Options parse_options(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tarvik modelling host"));
    parser.addHelpOption();
    const QCommandLineOption module(QStringLiteral("module"),
                                    QStringLiteral("The module to load (default: the one built "
                                                   "beside this program)."),
                                    QStringLiteral("path"));
    const QCommandLineOption settings(
        QStringLiteral("settings"),
        QStringLiteral("The motion-controller preferences file (default: %1).")
            .arg(SpaceWarePreferencesManager::default_file()),
        QStringLiteral("file"));
    const QCommandLineOption buttons(QStringLiteral("buttons"),
                                     QStringLiteral("The device's number of buttons (default: %1).")
                                         .arg(SpaceWarePreferencesManager::default_button_count),
                                     QStringLiteral("count"));
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Show the window, save a PNG of it to <file> and exit."),
        QStringLiteral("file"));
    const QCommandLineOption script(
        QStringLiteral("script"),
        QStringLiteral("Run the user actions of <file> once the window is shown."),
        QStringLiteral("file"));
    const QCommandLineOption model(QStringLiteral("model"),
                                   QStringLiteral("The STL model to show (default: a built-in "
                                                  "one)."),
                                   QStringLiteral("file"));
    const QCommandLineOption language(
        QStringLiteral("lang"),
        QStringLiteral("The language to speak: %1 (default: the system's).")
            .arg(Languages::codes().join(QStringLiteral(", "))),
        QStringLiteral("code"));
    parser.addOptions({module, settings, buttons, screenshot, script, model, language});
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("An STL model to show, as --model does."),
                                 QStringLiteral("[file]"));
    parser.process(app);

    Options options;
    // A path names a file, relative to the current folder: never a name for
    // the system loader to search for.
    options.module = parser.isSet(module) ? QFileInfo(parser.value(module)).absoluteFilePath()
                                          : default_module();
    options.settings = parser.value(settings);
    if (parser.isSet(buttons)) {
        options.buttons_given = true;
        bool ok = false;
        options.buttons = parser.value(buttons).toLong(&ok);
        if (!ok || options.buttons < 0 || options.buttons > 99) {
            fail(QStringLiteral("--buttons takes a number from 0 to 99, not \"%1\"")
                     .arg(parser.value(buttons)),
                 2);
        }
    }
    options.screenshot = parser.value(screenshot);
    options.script = parser.value(script);
    options.model =
        parser.isSet(model) ? parser.value(model) : parser.positionalArguments().value(0);
    if (parser.positionalArguments().size() > 1) {
        fail(QStringLiteral("one model at a time, not %1").arg(parser.positionalArguments().size()),
             2);
    }
    options.language = parser.isSet(language) ? parser.value(language) : QString();
    if (!options.language.isEmpty() && !Languages::codes().contains(options.language)) {
        fail(QStringLiteral("--lang takes one of %1, not \"%2\"")
                 .arg(Languages::codes().join(QStringLiteral(", ")), options.language),
             2);
    }
    return options;
}

// Loading runs the module's static objects, which register its factories.
// It stays loaded for the life of the process: the host keeps those
// factories, and their code lives in the module.
void load_module(const QString& path) {
    QLibrary module(path);
    if (!module.load()) {
        fail(QStringLiteral("cannot load the module %1: %2").arg(path, module.errorString()));
    }
    if (!WorkflowManager::instance()->is_registered(workflow_name)) {
        fail(QStringLiteral("the module %1 registers no \"%2\" workflow")
                 .arg(path, QLatin1String(workflow_name)));
    }
}

QStringList read_script(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        fail(QStringLiteral("cannot read the script %1: %2").arg(path, file.errorString()), 2);
    }
    return QString::fromUtf8(file.readAll()).split('\n');
}

// Runs an action once, right after the first paint of a widget.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* widget, std::function<void()> action)
        : QObject(widget)
        , action_(std::move(action)) {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            // Queued: the children paint in the same pass, after their parent.
            QTimer::singleShot(0, this, &AfterFirstPaint::run);
        }
        return false;
    }

private:
    void run() {
        if (std::function<void()> action = std::exchange(action_, nullptr)) {
            parent()->removeEventFilter(this);
            action();
        }
    }
    std::function<void()> action_;
};

// A press of device button n runs the function bound to it; releases run
// nothing.
void run_button_function(HostCommands& commands, int number, bool pressed) {
    if (!pressed) {
        return;
    }
    SpaceWarePreferencesManager* manager = SpaceWareLib::instance()->preferences_manager();
    if (number > manager->button_count()) {
        std::fprintf(stderr, "tarvik: device button %d ignored: the settings have %ld buttons\n",
                     number, manager->button_count());
        return;
    }
    commands.run_function(QObject::tr("button %1").arg(number),
                          manager->button_value(number)->get());
}

// Full deflection of a cap, in device units, and what it does to the view
// at sensitivity 1: the model crosses half the view, or turns a quarter
// turn, in a second.
const float full_deflection = 350;
const float full_turn_rate = 90;

ViewMotion view_motion_of(const ViewVelocity& velocity) {
    const auto& t = velocity.translation;
    const auto& r = velocity.rotation;
    return {QVector3D(t[0], t[1], t[2]) / full_deflection,
            QVector3D(r[0], r[1], r[2]) * (full_turn_rate / full_deflection)};
}

// The device moves the view through the motion transform.
void drive_view(ModelView* view, DeviceSource& device, const MotionSettingsFollower& settings) {
    QObject::connect(&device, &DeviceSource::motion, view, [view, &settings](const RawMotion& raw) {
        view->set_motion(view_motion_of(transform_motion(raw, settings.settings())));
    });
    // A lost daemon sends no last zero: the view stops with it.
    QObject::connect(&device, &DeviceSource::connection, view, [view](bool connected) {
        if (!connected) {
            view->set_motion({});
        }
    });
}

// The menus give the dock its title, in the language in use.
void add_dock(XMMainWindow* window, QWidget* content, const char* name, Qt::DockWidgetArea area) {
    auto* dock = new QDockWidget(window);
    dock->setObjectName(QLatin1String(name));
    dock->setWidget(content);
    window->addDockWidget(area, dock);
}

// The device panel in a dock of the window, fed by the device.
void add_device_panel(XMMainWindow* window, DeviceSource& device, HostCommands& commands) {
    auto* panel = new DevicePanel(SpaceWareLib::instance()->preferences_manager());
    add_dock(window, panel, "device_dock", Qt::RightDockWidgetArea);
    panel->show_connection(device.is_connected(), device.status());
    QObject::connect(&device, &DeviceSource::connection, panel,
                     [panel](bool connected, const QString& name, int) {
                         panel->show_connection(connected, name);
                     });
    QObject::connect(&device, &DeviceSource::motion, panel, &DevicePanel::show_motion);
    QObject::connect(&device, &DeviceSource::button, panel, &DevicePanel::show_button);
    QObject::connect(&device, &DeviceSource::button, panel, [&commands](int number, bool pressed) {
        run_button_function(commands, number, pressed);
    });
}

// The model --model names, or the built-in one when it cannot be read.
void show_model_option(ModelView& view, const QString& path) {
    QString error;
    if (!path.isEmpty() && !open_model(view, path, error)) {
        std::fprintf(stderr,
                     "tarvik: the model %s cannot be shown: %s; the built-in model is shown "
                     "instead\n",
                     qPrintable(path), qPrintable(error));
    }
}

// What runs once the window is on screen: the script, then the screenshot.
void after_showing(XMMainWindow* window, const Options& options, const QStringList& script) {
    QString error;
    if (!UiScript(script).run(error)) {
        std::fprintf(stderr, "tarvik: %s: %s\n", qPrintable(options.script), qPrintable(error));
        QApplication::exit(3);
        return;
    }
    if (!options.screenshot.isEmpty()) {
        if (!window->grab().save(options.screenshot, "PNG")) {
            std::fprintf(stderr, "tarvik: cannot write the screenshot %s\n",
                         qPrintable(options.screenshot));
            QApplication::exit(1);
            return;
        }
        QApplication::quit();
    }
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarvik"));
    const Options options = parse_options(app);
    Languages languages(translations_folder());
    choose_language(languages, options.language);
    const QStringList script =
        options.script.isEmpty() ? QStringList() : read_script(options.script);

    // The device first: when the daemon tells its buttons, the settings
    // have that many, unless --buttons says otherwise.
    DeviceSource device;
    device.start();
    if (!device.is_connected()) {
        // The terminal hears the host in English; the device panel speaks the user's language.
        std::fprintf(stderr, "tarvik: no device, spacenavd is not running; the mouse works on\n");
    }
    const bool daemon_counts =
        device.is_connected() && !options.buttons_given && device.button_count() <= 99;
    const long buttons = daemon_counts ? device.button_count() : options.buttons;
    SpaceWareLib::configure(options.settings, buttons);
    load_module(options.module);

    const std::unique_ptr<Workflow> workflow(WorkflowManager::instance()->create(workflow_name));
    workflow->initialize();
    WorkflowInstance instance(workflow.get());

    XMMainWindow* window = TarvikGuiLib::instance()->main_window();
    window->setWindowTitle(QStringLiteral("Tarvik \u2014 %1").arg(QLatin1String(workflow_name)));
    auto* panel = new VQWorkflowPanel;
    window->set_workflow(panel);
    if (!panel->show_workflow(&instance)) {
        fail(QStringLiteral("the module %1 does not register the builders its \"%2\" workflow "
                            "names")
                 .arg(options.module, QLatin1String(workflow_name)));
    }
    ModelView* view = window->model_view();
    show_model_option(*view, options.model);
    auto* log = new CommandLog;
    add_dock(window, log, "command_dock", Qt::BottomDockWidgetArea);
    HostCommands commands(*view, *log);
    add_device_panel(window, device, commands);
    new HostMenus(*window, commands, languages);
    const MotionSettingsFollower settings(*SpaceWareLib::instance()->preferences_manager());
    drive_view(view, device, settings);
    window->resize(1280, 820);
    window->resizeDocks({window->findChild<QDockWidget*>(QStringLiteral("command_dock"))}, {110},
                        Qt::Vertical);
    window->show();
    // Act on the window once it is laid out and painted, however long that takes.
    new AfterFirstPaint(window, [&] { after_showing(window, options, script); });

    const int status = app.exec();
    delete window;
    return status;
}
