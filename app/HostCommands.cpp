#include "HostCommands.h"

#include <QObject>

#include "CommandLog.h"
#include "Kestrava_spaceWare.h"
#include "NavigationCommands.h"

namespace {
SpaceWarePreferencesManager& manager() {
    return *SpaceWareLib::instance()->preferences_manager();
}
} // namespace

HostCommands::HostCommands(ViewCommands& view, CommandLog& log)
    : interpreter_(view, [&log](const QString& text) { log.output(text); })
    , log_(log) {
    add_navigation_commands(interpreter_, manager(),
                            [&log](const QString& text) { log.output(text); });
    // A profile named "next" or "previous" is reached by the menus alone.
    for (const auto& [word, by] : {std::pair{"next", 1}, std::pair{"previous", -1}}) {
        interpreter_.add(QStringLiteral("profile ") + QLatin1String(word), {},
                         [this, steps = by](auto&) {
                             if (profiles_.step) {
                                 profiles_.step(steps);
                             }
                         });
    }
    interpreter_.add(QStringLiteral("profile"), {CommandInterpreter::Argument::name},
                     [this](const QStringList& values) {
                         if (profiles_.switch_to) {
                             profiles_.switch_to(values[0]);
                         }
                     });
    manager().set_command_handler(
        [this](const CString& definition) { run_definition(qstring_of(definition)); });
    manager().set_functions_listener([this] { check_stored_functions(); });
    check_stored_functions();
}

HostCommands::~HostCommands() {
    manager().set_command_handler(nullptr);
    manager().set_functions_listener(nullptr);
}

void HostCommands::check_stored_functions() {
    QMap<QString, QString> stored;
    for (FunctionNameIterator it = manager().function_name_iterator(); it.more(); it.next()) {
        if (manager().is_custom_function(it.key())) {
            stored.insert(qstring_of(it.key()),
                          qstring_of(manager().get_function_definition(it.key())));
        }
    }
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        if (checked_.contains(it.key()) && checked_.value(it.key()) == it.value()) {
            continue;
        }
        const CommandProblem problem = interpreter_.check(it.value());
        if (!problem.is_none()) {
            log_.error(QObject::tr("function %1").arg(it.key()), problem.text());
        }
    }
    checked_ = std::move(stored);
}

void HostCommands::run_function(const QString& origin, const CString& name) {
    origin_ = origin;
    manager().run_function(name);
    origin_.clear();
}

void HostCommands::run_definition(const QString& definition) {
    const QString origin = origin_.isEmpty() ? QObject::tr("function") : origin_;
    const CommandLog::Batch batch(log_);
    const CommandProblem problem =
        interpreter_.run(definition, [&](const QString& line) { log_.command(origin, line); });
    if (!problem.is_none()) {
        log_.error(origin, problem.text());
    }
}
