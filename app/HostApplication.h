#pragma once

#include <QPointer>
#include <QStringList>
#include <memory>

#include "DeviceSource.h"
#include "Languages.h"
#include "Options.h"

class CommandLog;
class QDialog;
class HostCommands;
class ModelView;
class MotionSettingsFollower;
class Profiles;
class SettingsHistory;
class Workflow;
class WorkflowInstance;
class XMMainWindow;

// The host as a user starts it: it reads the device, loads the module, opens
// its "Kestrava" workflow in the main window beside the model view, with the
// Device and Commands docks and the menus, and wires the device's motion to
// the view and its buttons to their functions.
class HostApplication {
public:
    explicit HostApplication(Options options);
    ~HostApplication();
    HostApplication(const HostApplication&) = delete;
    HostApplication& operator=(const HostApplication&) = delete;

    // Opens the window and runs until it closes; the exit status. A module
    // that cannot be loaded or opened is told on standard error (status 1).
    int run();

private:
    bool open_window();
    void configure_settings();
    bool load_module();
    void add_docks();
    void lay_out_docks();
    void add_device_panel();
    void drive_view();
    void run_button_function(int number, bool pressed);
    void follow_the_view();
    void set_up_device();
    void after_showing();
    void choose_profile();

    Options options_;
    Languages languages_;
    QStringList script_;
    DeviceSource device_;
    std::unique_ptr<Workflow> workflow_;
    std::unique_ptr<WorkflowInstance> instance_;
    XMMainWindow* window_ = nullptr;
    ModelView* view_ = nullptr;
    CommandLog* log_ = nullptr;
    std::unique_ptr<HostCommands> commands_;
    std::unique_ptr<MotionSettingsFollower> settings_;
    bool model_refused_ = false;
    SettingsHistory* history_ = nullptr;
    Profiles* profiles_ = nullptr;
    QPointer<QDialog> setup_;
};
