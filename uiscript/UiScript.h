#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

// Runs a list of user actions on the application's widgets, found by
// object name, one command a line:
//   choose NAME INDEX   pick item INDEX of a combo, or page INDEX of tabs, as
//                       the user does
//   slide NAME VALUE    move a slider
//   click NAME          click a button
//   pick NAME           pick a menu entry
//   print NAME          write "NAME VALUE" to standard output: a combo's
//                       current index and text, a label's text, a slider's
//                       value, a widget's description (where a model view
//                       looks from), a log's last line, a text's text, a
//                       button's text and state (and whether it is checked,
//                       for one that can be)
//   grab NAME FILE      save a picture of a widget as a PNG file
//   type NAME TEXT      type TEXT into a text field
//   texts               write every text shown, "texts PATH KIND: TEXT", the
//                       menus' too
//   answer TEXT         answer the next dialog that asks: TEXT in its input
//                       field (if it has one), then OK
//   cancel              cancel the next dialog that asks
//   wait MS             let the application run for MS milliseconds
//   quit                close the application; no later line runs
// Blank lines and lines starting with '#' are skipped. A dialog that opens
// with no answer queued for it is cancelled, and the script fails there.
class UiScript {
public:
    explicit UiScript(QStringList lines)
        : lines_(std::move(lines)) {}

    // Whether every line names a command with the words it takes; false,
    // with `error` naming the first line that does not. Nothing runs.
    bool check(QString& error) const;
    // Runs every line; false, with `error` set, at the first line that
    // cannot be run.
    bool run(QString& error);

private:
    struct Answer {
        bool accept;
        QString text;
    };
    struct Command;
    static const std::vector<Command>& commands();

    using LineAction =
        std::function<bool(const QString& line, const QStringList& words, QString& error)>;
    // Acts on each line with a command, numbered as in the file, until one
    // fails, or the script quits.
    bool for_each_line(const LineAction& act, QString& error) const;
    static const Command* command_of(const QStringList& words, QString& error);
    bool run_line(const QString& line, const QStringList& words, QString& error);
    // Answers a dialog waiting on the user, if one is open.
    void answer_open_dialog();

    QStringList lines_;
    std::deque<Answer> answers_;
    QString unanswered_;
    bool quit_ = false;
};
