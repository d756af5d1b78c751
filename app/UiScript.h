#pragma once

#include <QString>
#include <QStringList>

// Runs a list of user actions on the application's widgets, found by
// object name, one command a line:
//   choose NAME INDEX   pick item INDEX of a combo, as the user does
//   slide NAME VALUE    move a slider
//   click NAME          click a button
//   print NAME          write "NAME VALUE" to standard output: a combo's
//                       current index and text, a slider's value
//   quit                close the application
// Blank lines and lines starting with '#' are skipped.
class UiScript {
public:
    explicit UiScript(QStringList lines)
        : lines_(std::move(lines)) {}

    // Runs every line; false, with `error` set, at the first line that
    // cannot be run.
    bool run(QString& error) const;

private:
    QStringList lines_;
};
