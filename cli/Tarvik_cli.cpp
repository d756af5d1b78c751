#include "Tarvik_cli.h"

#include <QObject>
#include <cmath>

namespace {
// Commands' texts, one line each, without their comments.
QStringList lines_of(const QString& text) {
    QStringList lines = text.split('\n');
    for (QString& line : lines) {
        line = line.left(line.indexOf('#')).simplified();
    }
    return lines;
}

float number_of(const QString& value) {
    return value.toFloat();
}
} // namespace

QString CommandProblem::text() const {
    return QObject::tr("line %1: %2").arg(line).arg(reason);
}

ViewCommands::~ViewCommands() = default;

CommandInterpreter::CommandInterpreter(ViewCommands& view, Output output) {
    add(QStringLiteral("view fit all"), {}, [&view](const QStringList&) { view.fit_all(); });
    add(QStringLiteral("view fit selection"), {}, [&view](const QStringList&) { view.fit_all(); });
    for (const StandardViewEntry& entry : standard_views) {
        add(QStringLiteral("view ") + QLatin1String(entry.word), {},
            [&view, preset = entry.view](const QStringList&) { view.show_view(preset); });
    }
    add(QStringLiteral("view reset"), {}, [&view](const QStringList&) { view.reset_view(); });
    add(QStringLiteral("view centre cursor"), {}, [&view, output](const QStringList&) {
        output(view.centre_on_cursor()
                   ? QObject::tr("Turning about the point under the pointer")
                   : QObject::tr("Nothing under the pointer: turning about the model's centre"));
    });
    add(QStringLiteral("view projection toggle"), {},
        [&view](const QStringList&) { view.toggle_projection(); });
    add(QStringLiteral("view zoom"), {Argument::factor},
        [&view](const QStringList& values) { view.zoom(number_of(values[0])); });
    add(QStringLiteral("view rotate"), {Argument::axis, Argument::number},
        [&view](const QStringList& values) {
            view.turn(int(values[0][0].unicode() - 'x'), number_of(values[1]));
        });
    add(QStringLiteral("view pan"), {Argument::number, Argument::number},
        [&view](const QStringList& values) {
            view.pan(QPointF(number_of(values[0]), number_of(values[1])));
        });
    add(QStringLiteral("echo"), {Argument::text},
        [output = std::move(output)](const QStringList& values) { output(values.value(0)); });
}

std::vector<CommandInterpreter::Usage> CommandInterpreter::usage() const {
    std::vector<Usage> all;
    for (const Command& command : commands_) {
        QStringList form = command.words;
        QStringList example = command.words;
        for (const Argument argument : command.arguments) {
            switch (argument) {
            case Argument::number:
                form << QObject::tr("NUMBER");
                example << QStringLiteral("22.5");
                break;
            case Argument::factor:
                form << QObject::tr("FACTOR");
                example << QStringLiteral("1.5");
                break;
            case Argument::axis:
                form << QStringLiteral("x|y|z");
                example << QStringLiteral("y");
                break;
            case Argument::text:
                form << QObject::tr("TEXT");
                example << QObject::tr("hello");
                break;
            case Argument::name:
                form << QObject::tr("NAME");
                example << QObject::tr("Detail");
                break;
            }
        }
        all.push_back({form.join(' '), example.join(' ')});
    }
    return all;
}

void CommandInterpreter::add(const QString& words, std::vector<Argument> arguments, Action action) {
    commands_.push_back({words.split(' '), std::move(arguments), std::move(action)});
}

CommandInterpreter::Parsed CommandInterpreter::parse(const QString& line) const {
    Parsed parsed;
    if (line.isEmpty()) {
        return parsed;
    }
    const QStringList words = line.split(' ');
    // The command with the most words that the line begins with.
    for (const Command& command : commands_) {
        if (words.mid(0, command.words.size()) == command.words &&
            (!parsed.command || command.words.size() > parsed.command->words.size())) {
            parsed.command = &command;
        }
    }
    if (!parsed.command) {
        parsed.reason = QObject::tr("unknown command \"%1\"").arg(line);
        return parsed;
    }
    parsed.values = words.mid(parsed.command->words.size());
    parsed.reason = check_arguments(*parsed.command, parsed.values);
    return parsed;
}

QString CommandInterpreter::check_arguments(const Command& command, QStringList& values) {
    const QString name = command.words.join(' ');
    if (!command.arguments.empty() && (command.arguments.back() == Argument::text ||
                                       command.arguments.back() == Argument::name)) {
        // The text is the rest of the line, as typed but for its blanks; a
        // name is never empty.
        values = QStringList{values.join(' ')};
        return command.arguments.back() == Argument::name && values[0].isEmpty()
                   ? QObject::tr("%1: an argument is missing").arg(name)
                   : QString();
    }
    if (values.size() < qsizetype(command.arguments.size())) {
        return QObject::tr("%1: an argument is missing").arg(name);
    }
    if (values.size() > qsizetype(command.arguments.size())) {
        return QObject::tr("%1: too many arguments, \"%2\" is one more")
            .arg(name, values[qsizetype(command.arguments.size())]);
    }
    for (size_t i = 0; i < command.arguments.size(); ++i) {
        const QString& value = values[qsizetype(i)];
        bool ok = false;
        const float number = value.toFloat(&ok);
        switch (command.arguments[i]) {
        case Argument::axis:
            if (value != "x" && value != "y" && value != "z") {
                return QObject::tr("%1: \"%2\" is not an axis: x, y or z").arg(name, value);
            }
            break;
        case Argument::factor:
            if (ok && std::isfinite(number) && number <= 0) {
                return QObject::tr("%1: the factor must be above 0, not %2").arg(name, value);
            }
            [[fallthrough]];
        case Argument::number:
            if (!ok || !std::isfinite(number)) {
                return QObject::tr("%1: \"%2\" is not a number").arg(name, value);
            }
            break;
        case Argument::text:
        case Argument::name:
            break;
        }
    }
    return QString();
}

CommandProblem CommandInterpreter::check(const QString& text) const {
    return go_through(text, false, {});
}

// A text with a bad line runs none of its lines: a function half run
// would leave the view half changed.
CommandProblem CommandInterpreter::run(const QString& text, const Output& ran) {
    const CommandProblem problem = check(text);
    return problem.is_none() ? go_through(text, true, ran) : problem;
}

CommandProblem CommandInterpreter::go_through(const QString& text, bool running,
                                              const Output& ran) const {
    const QStringList lines = lines_of(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Parsed parsed = parse(lines[i]);
        if (!parsed.reason.isEmpty()) {
            return {int(i + 1), parsed.reason};
        }
        if (running && parsed.command) {
            if (ran) {
                ran(lines[i]);
            }
            parsed.command->action(parsed.values);
        }
    }
    return {};
}
