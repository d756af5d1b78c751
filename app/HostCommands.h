#pragma once

#include <QMap>
#include <QString>
#include <functional>

#include "Tarvik_cli.h"
#include "Tarvik_utils.h"

class CommandLog;
class ViewCommands;

// The one road every function takes: a device button or the menu asks for
// a function, the settings manager gives its definition, the interpreter
// runs it on the view, and the log shows what ran.
class HostCommands {
public:
    // Becomes the settings manager's command handler while it lives.
    HostCommands(ViewCommands& view, CommandLog& log);
    ~HostCommands();
    HostCommands(const HostCommands&) = delete;
    HostCommands& operator=(const HostCommands&) = delete;

    // Runs the function `name`; `origin` says who asked ("button 3", "menu").
    void run_function(const QString& origin, const CString& name);
    // The commands a function can use, for the Help menu.
    std::vector<CommandInterpreter::Usage> usage() const { return interpreter_.usage(); }

    // What "profile next", "profile previous" and "profile NAME" do: move
    // by one in name order, or switch to a name.
    struct ProfileSwitcher {
        std::function<void(int by)> step;
        std::function<void(const QString& name)> switch_to;
    };
    void set_profile_switcher(ProfileSwitcher switcher) { profiles_ = std::move(switcher); }

private:
    void run_definition(const QString& definition);
    // Each custom function stored since the last look is checked, and what
    // is wrong with it logged, before a button ever runs it.
    void check_stored_functions();

    CommandInterpreter interpreter_;
    CommandLog& log_;
    QString origin_;
    ProfileSwitcher profiles_;
    // The definitions as last checked, by function name.
    QMap<QString, QString> checked_;
};
