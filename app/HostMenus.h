#pragma once

#include <QString>

class HostCommands;
class ModelView;
class XMMainWindow;

// File opens a model and quits; View runs the built-in view functions,
// with their usual keys while the view has the focus, and lists every
// function, the user's own too.
void add_host_menus(XMMainWindow& window, HostCommands& commands);

// Shows the STL model of a file in the view; false, with the reason in
// `error`, when it cannot be read.
bool open_model(ModelView& view, const QString& path, QString& error);
