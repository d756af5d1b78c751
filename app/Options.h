#pragma once

#include <QString>

#include "DeviceSource.h"

class QCoreApplication;

// What the command line asks of the host.
struct Options {
    QString module;   // the module's absolute path
    QString settings; // the preferences file; empty for the default one
    long buttons = 0; // the device's buttons, when buttons_given
    bool buttons_given = false;
    QString screenshot;
    QString script;
    QString model;
    QString language; // empty for the system's
    QString profile;  // empty for the one last in use

    // The largest number of buttons --buttons takes, as from the daemon.
    static constexpr long most_buttons = DeviceSource::most_buttons;
};

// Reads the application's arguments. A wrong one ends the program with a
// message and status 2; --help and --version end it as usual.
Options parse_options(const QCoreApplication& app);

// Where the module is when --module does not say: beside the program in its
// build folder, in a folder of its own once installed.
QString default_module();
// Where the program's translations are.
QString translations_folder();
