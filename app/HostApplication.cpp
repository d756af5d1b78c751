#include "HostApplication.h"

#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QScrollArea>
#include <QVBoxLayout>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "AfterFirstPaint.h"
#include "ButtonRows.h"
#include "CommandLog.h"
#include "DevicePanel.h"
#include "FunctionNames.h"
#include "HelpMenu.h"
#include "HostCommands.h"
#include "HostMenus.h"
#include "Kestrava_spaceWare.h"
#include "ModelView.h"
#include "MotionTransform.h"
#include "ProfileBar.h"
#include "Profiles.h"
#include "QuitGuard.h"
#include "SettingsHistory.h"
#include "SetupAssistant.h"
#include "Tarvik_gui.h"
#include "Tarvik_wizard.h"
#include "UiScript.h"
#include "WheelGuard.h"
#include "WindowPlace.h"

namespace {
const char* const workflow_name = "Kestrava";
// The window's size at a first start, on a screen large enough.
const QSize window_size(1280, 820);
// The most of a first window the Device dock takes.
const double device_dock_share = 0.4;
// How long start-up waits for the daemon to tell the device's buttons
// before building the window without them.
const int device_wait_ms = 500;
const qint64 longest_script = 1024 * 1024;

void tell(const QString& message) {
    std::fprintf(stderr, "tarvik: %s\n", qPrintable(message));
}

// The language --lang names, else the system's; English when its
// translation cannot be found.
void choose_language(Languages& languages, const QString& asked) {
    const QString code = asked.isEmpty() ? Languages::for_system_locale() : asked;
    if (!languages.use(code)) {
        tell(QStringLiteral("no translation into %1 in %2; English it is")
                 .arg(code, translations_folder()));
    }
}

[[noreturn]] void refuse_script(const QString& path, const QString& why) {
    tell(QStringLiteral("cannot read the script %1: %2").arg(path, why));
    std::exit(2);
}

// The script's lines; a script that cannot be read ends the program. Only
// a regular file of a sane size is opened: a FIFO would block the start,
// a device could be endless.
QStringList read_script(const QString& path) {
    if (path.isEmpty()) {
        return {};
    }
    if (const QFileInfo info(path); info.exists() && !info.isFile()) {
        refuse_script(path, QStringLiteral("it is not a regular file"));
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        refuse_script(path, file.errorString());
    }
    // At most a byte too many is read, whatever the file's size.
    const QByteArray text = file.read(longest_script + 1);
    if (text.size() > longest_script) {
        refuse_script(path, QStringLiteral("it is larger than 1 MiB"));
    }
    return QString::fromUtf8(text).split('\n');
}

ViewMotion view_motion_of(const ViewVelocity& velocity) {
    const ViewVelocity speeds = view_speeds(velocity);
    const auto& t = speeds.translation;
    const auto& r = speeds.rotation;
    return {QVector3D(t[0], t[1], t[2]), QVector3D(r[0], r[1], r[2])};
}

ModelView::Centre centre_of(RotationCentre centre) {
    switch (centre) {
    case RotationCentre::model:
        return ModelView::Centre::model;
    case RotationCentre::view:
        return ModelView::Centre::view;
    case RotationCentre::cursor:
        return ModelView::Centre::cursor;
    case RotationCentre::automatic:
        break;
    }
    return ModelView::Centre::automatic;
}

// The menus give the dock its title, in the language in use.
void add_dock(XMMainWindow* window, QWidget* content, const char* name, Qt::DockWidgetArea area) {
    auto* dock = new QDockWidget(window);
    dock->setObjectName(QLatin1String(name));
    dock->setWidget(content);
    window->addDockWidget(area, dock);
}
} // namespace

HostApplication::HostApplication(Options options)
    : options_(std::move(options))
    , languages_(translations_folder()) {
    choose_language(languages_, options_.language);
    script_ = read_script(options_.script);
}

HostApplication::~HostApplication() {
    // The window first: its workflow's builders reach back to the instance.
    delete window_;
}

int HostApplication::run() {
    if (!open_window()) {
        return 1;
    }
    return QApplication::exec();
}

bool HostApplication::open_window() {
    device_.start();
    if (!device_.wait_for_answer(device_wait_ms) || !device_.is_connected()) {
        tell(QStringLiteral("no device yet (%1); the mouse works on").arg(device_.status()));
    }
    configure_settings();
    if (!load_module()) {
        return false;
    }
    choose_profile();
    workflow_.reset(WorkflowManager::instance()->create(workflow_name));
    workflow_->initialize();
    instance_ = std::make_unique<WorkflowInstance>(workflow_.get());

    window_ = TarvikGuiLib::instance()->main_window();
    window_->setWindowTitle(QStringLiteral("Tarvik \u2014 %1").arg(QLatin1String(workflow_name)));
    view_ = new ModelView;
    window_->set_graphic_view(view_);
    auto* panel = new VQWorkflowPanel;
    window_->set_workflow(panel);
    if (!panel->show_workflow(instance_.get())) {
        tell(QStringLiteral("the module %1 does not register the builders its \"%2\" workflow "
                            "names")
                 .arg(options_.module, QLatin1String(workflow_name)));
        return false;
    }
    SpaceWarePreferencesManager& manager = *SpaceWareLib::instance()->preferences_manager();
    history_ = new SettingsHistory(manager, window_);
    profiles_ = new Profiles(*window_, manager, *view_, *history_);
    add_docks();
    follow_the_view();
    if (!options_.model.isEmpty() && !Profiles::is_profile_file(options_.model)) {
        view_->open(options_.model);
    }
    auto* menus = new HostMenus(*window_, *view_, *commands_, languages_, *history_,
                                [this] { set_up_device(); });
    menus->add_view_submenu(profiles_->menu());
    new HelpMenu(*window_, *commands_, *view_, manager, [this] { return device_.status(); });
    new WheelGuard(window_);
    new QuitGuard(*window_, manager);
    drive_view();
    if (!(new WindowPlace(*window_, window_size))->restored()) {
        lay_out_docks();
    }
    window_->show();
    new AfterFirstPaint(window_, [this] { after_showing(); });
    return true;
}

// The docks of a first start: the log a few lines high, the Device dock as
// wide as it wants on a large screen, a share of the window on a small one
// (it scrolls).
void HostApplication::lay_out_docks() {
    auto* device = window_->findChild<QDockWidget*>(QStringLiteral("device_dock"));
    window_->resizeDocks(
        {device}, {std::min(device->sizeHint().width(), int(window_->width() * device_dock_share))},
        Qt::Horizontal);
    window_->resizeDocks({window_->findChild<QDockWidget*>(QStringLiteral("command_dock"))},
                         {log_->height_for_lines(CommandLog::lines_shown)}, Qt::Vertical);
}

// When the daemon tells the device's buttons, the settings have that many,
// unless --buttons says otherwise.
void HostApplication::configure_settings() {
    const bool daemon_counts = device_.is_connected() && !options_.buttons_given;
    SpaceWareLib::configure(options_.settings,
                            daemon_counts ? device_.button_count() : options_.buttons);
}

// Loading runs the module's static objects, which register its factories.
// It stays loaded for the life of the process: the host keeps those
// factories, and their code lives in the module.
bool HostApplication::load_module() {
    QLibrary module(options_.module);
    if (!module.load()) {
        tell(QStringLiteral("cannot load the module %1: %2")
                 .arg(options_.module, module.errorString()));
        return false;
    }
    if (!WorkflowManager::instance()->is_registered(workflow_name)) {
        tell(QStringLiteral("the module %1 registers no \"%2\" workflow")
                 .arg(options_.module, QLatin1String(workflow_name)));
        return false;
    }
    return true;
}

void HostApplication::add_docks() {
    log_ = new CommandLog;
    add_dock(window_, log_, "command_dock", Qt::BottomDockWidgetArea);
    commands_ = std::make_unique<HostCommands>(*view_, *log_);
    commands_->set_profile_switcher({[this](int by) { profiles_->step(by); },
                                     [this](const QString& name) { profiles_->switch_to(name); }});
    add_device_panel();
}

// The device panel in a dock of the window, fed by the device.
void HostApplication::add_device_panel() {
    auto* panel = new DevicePanel(SpaceWareLib::instance()->preferences_manager());
    // Scrolled on a screen too small for all of it.
    auto* scroll = new QScrollArea;
    scroll->setWidget(panel);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // The profile in use above it all, never scrolled away.
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(profiles_->make_bar(content));
    layout->addWidget(scroll, 1);
    add_dock(window_, content, "device_dock", Qt::RightDockWidgetArea);
    panel->follow(device_);
    QObject::connect(&device_, &DeviceSource::motion, panel, &DevicePanel::show_motion);
    QObject::connect(&device_, &DeviceSource::button, panel, &DevicePanel::show_button);
    QObject::connect(&device_, &DeviceSource::button, panel,
                     [this](int number, bool pressed) { run_button_function(number, pressed); });
    QObject::connect(&device_, &DeviceSource::button_ignored, log_, [this](qint64 number) {
        log_->note(QObject::tr("Device button %1 ignored: the device has %2 buttons.")
                       .arg(number)
                       .arg(device_.button_count()));
    });
}

// The device moves the view through the motion transform.
void HostApplication::drive_view() {
    settings_ =
        std::make_unique<MotionSettingsFollower>(*SpaceWareLib::instance()->preferences_manager());
    // The view turns about the centre the settings choose, level or not.
    const auto navigate = [this](const MotionSettings& settings) {
        view_->set_navigation(centre_of(settings.rotation_centre), settings.lock_horizon);
    };
    navigate(settings_->settings());
    settings_->on_change(navigate);
    QObject::connect(&device_, &DeviceSource::motion, view_, [this](const RawMotion& raw) {
        view_->set_motion(view_motion_of(transform_motion(raw, settings_->settings())));
    });
    // A lost daemon sends no last zero: the view stops with it.
    QObject::connect(&device_, &DeviceSource::connection, view_, [this](bool connected) {
        if (!connected) {
            view_->set_motion({});
        }
    });
}

// A press of device button n runs the function bound to it; releases run
// nothing.
void HostApplication::run_button_function(int number, bool pressed) {
    if (!pressed) {
        return;
    }
    bring_button_row_forward(number);
    SpaceWarePreferencesManager* manager = SpaceWareLib::instance()->preferences_manager();
    if (number > manager->button_count()) {
        tell(QStringLiteral("device button %1 ignored: the settings have %2 buttons")
                 .arg(number)
                 .arg(manager->button_count()));
        return;
    }
    const CopyCString function = manager->button_value(number)->get();
    commands_->run_function(
        QObject::tr("button %1 (%2)").arg(number).arg(function_name_for_people(*manager, function)),
        function);
}

// --profile starts with that profile; an unknown one ends the program.
void HostApplication::choose_profile() {
    if (options_.profile.isEmpty()) {
        return;
    }
    SpaceWarePreferencesManager& manager = *SpaceWareLib::instance()->preferences_manager();
    if (!manager.has_profile(options_.profile)) {
        tell(QStringLiteral("there is no profile \"%1\"; there are: %2")
                 .arg(options_.profile, manager.profile_names().join(QStringLiteral(", "))));
        std::exit(2);
    }
    if (!manager.switch_profile(options_.profile)) {
        tell(QStringLiteral("cannot switch to the profile \"%1\": %2")
                 .arg(options_.profile, manager.save_error()));
    }
}

// One assistant at a time; asked again, the open one comes forward.
void HostApplication::set_up_device() {
    if (!setup_) {
        setup_ =
            new SetupAssistant(*SpaceWareLib::instance()->preferences_manager(), device_, window_);
        setup_->setAttribute(Qt::WA_DeleteOnClose);
    }
    setup_->show();
    setup_->raise();
    setup_->activateWindow();
}

// What the view does that a user must hear of: how it draws, a model read
// and what was odd in it, a model refused and why.
void HostApplication::follow_the_view() {
    const auto tell_drawing = [this] {
        if (!view_->uses_opengl()) {
            log_->note(QObject::tr("The view is drawn without OpenGL, which cannot be used "
                                   "here: large models move slowly."));
        }
    };
    tell_drawing();
    QObject::connect(view_, &ModelView::renderer_changed, log_, tell_drawing);
    QObject::connect(view_, &ModelView::model_opened, log_,
                     [this](const QString& path, const QStringList& warnings) {
                         for (const QString& warning : warnings) {
                             log_->note(QObject::tr("%1: %2").arg(shortened_path(path), warning));
                         }
                     });
    QObject::connect(
        view_, &ModelView::model_refused, log_, [this](const QString& path, const QString& reason) {
            model_refused_ = true;
            log_->error(QObject::tr("model"),
                        QObject::tr("%1 cannot be shown: %2").arg(shortened_path(path), reason));
        });
}

// What runs once the window is on screen and the model of --model is read:
// the script, then the screenshot.
void HostApplication::after_showing() {
    if (view_->is_loading()) {
        QObject::connect(
            view_, &ModelView::loading_finished, view_, [this] { after_showing(); },
            Qt::SingleShotConnection);
        return;
    }
    // A profile given to open is imported, asking first as any import does.
    if (Profiles::is_profile_file(options_.model)) {
        profiles_->import_profile(std::exchange(options_.model, QString()));
    }
    QString error;
    UiScript script(script_);
    if (!script.check(error) || !script.run(error)) {
        tell(QStringLiteral("%1: %2").arg(options_.script, error));
        QApplication::exit(3);
        return;
    }
    if (!options_.screenshot.isEmpty()) {
        if (!window_->grab().save(options_.screenshot, "PNG")) {
            tell(QStringLiteral("cannot write the screenshot %1").arg(options_.screenshot));
            QApplication::exit(1);
            return;
        }
        // The picture is taken: nothing more is drawn, and a model that was
        // refused still fails the run.
        window_->hide();
        QApplication::exit(model_refused_ ? 1 : 0);
    }
}
