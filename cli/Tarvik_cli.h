#pragma once

// The host's command interpreter: one command a line, words separated by
// blanks, '#' starting a comment.
//   view fit all | view fit selection   the model whole (no selection yet:
//                                       both fit everything)
//   view front|back|left|right|top|bottom|isometric
//   view reset                          isometric, in perspective
//   view projection toggle
//   view zoom FACTOR                    the model FACTOR times larger
//   view rotate x|y|z DEGREES           the model turned about a view axis
//   view pan DX DY                      the model moved by pixels
//   echo TEXT                           TEXT in the output

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "ViewCommands.h"
#include "tarvik_cli_export.h"

// What is wrong with a text of commands: the number of its first bad line,
// from 1, and why. Line 0: nothing is wrong.
struct TARVIK_CLI_EXPORT CommandProblem {
    int line = 0;
    QString reason;

    bool is_none() const { return line == 0; }
    // "line N: REASON".
    QString text() const;
};

class TARVIK_CLI_EXPORT CommandInterpreter {
public:
    using Output = std::function<void(const QString& text)>;

    // Commands act on `view`; echo writes to `output`.
    CommandInterpreter(ViewCommands& view, Output output);

    // What a command takes after its words: a number, a number above 0, an
    // axis (x, y or z), or the rest of the line as text or as a name.
    enum class Argument { number, factor, axis, text, name };
    using Action = std::function<void(const QStringList& values)>;
    // Another command, for the host's own ("navigation horizon toggle").
    void add(const QString& words, std::vector<Argument> arguments, Action action);

    // Every command with its arguments ("view zoom FACTOR") and an example
    // of it ("view zoom 1.5"), in the order they were added; translated.
    struct Usage {
        QString form;
        QString example;
    };
    std::vector<Usage> usage() const;

    CommandProblem check(const QString& text) const;
    // Runs the lines in order, telling `ran` each one before it runs; when
    // a line is bad, runs none and says which.
    CommandProblem run(const QString& text, const Output& ran = {});

private:
    struct Command {
        QStringList words;
        std::vector<Argument> arguments;
        Action action;
    };
    struct Parsed {
        const Command* command = nullptr;
        QStringList values;
        QString reason;
    };

    // A line's command and arguments; no command for a blank line.
    Parsed parse(const QString& line) const;
    // Checks every line up to the first bad one, running each if `running`.
    CommandProblem go_through(const QString& text, bool running, const Output& ran) const;
    // Why a command's arguments do not do; empty when they do.
    static QString check_arguments(const Command& command, QStringList& values);

    std::vector<Command> commands_;
};
