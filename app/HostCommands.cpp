#include "HostCommands.h"

#include <QObject>

#include "CommandLog.h"
#include "Kestrava_spaceWare.h"

namespace {
HostCommands* handling = nullptr;
} // namespace

HostCommands::HostCommands(ViewCommands& view, CommandLog& log)
    : interpreter_(view, [&log](const QString& text) { log.output(text); })
    , log_(log) {
    handling = this;
    SpaceWarePreferencesManager::set_command_handler(&HostCommands::handle);
}

HostCommands::~HostCommands() {
    SpaceWarePreferencesManager::set_command_handler(nullptr);
    handling = nullptr;
}

void HostCommands::run_function(const QString& origin, const CString& name) {
    origin_ = origin;
    SpaceWareLib::instance()->preferences_manager()->run_function(name);
    origin_.clear();
}

void HostCommands::handle(const CString& definition) {
    if (handling) {
        handling->run_definition(qstring_of(definition));
    }
}

void HostCommands::run_definition(const QString& definition) {
    const QString origin = origin_.isEmpty() ? QObject::tr("function") : origin_;
    const CommandProblem problem =
        interpreter_.run(definition, [&](const QString& line) { log_.command(origin, line); });
    if (!problem.is_none()) {
        log_.error(origin, problem.text());
    }
}
