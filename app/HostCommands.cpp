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
    manager().set_command_handler(
        [this](const CString& definition) { run_definition(qstring_of(definition)); });
}

HostCommands::~HostCommands() {
    manager().set_command_handler(nullptr);
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
