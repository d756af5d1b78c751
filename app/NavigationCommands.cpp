#include "NavigationCommands.h"

#include <QLocale>
#include <QObject>
#include <algorithm>
#include <cmath>

#include "Kestrava_spaceWare.h"

namespace {
using Manager = SpaceWarePreferencesManager;
constexpr int off = 0, on = 1;

// Every axis of a group off when one was on, else every one on; whether
// they are on now.
bool toggle_axes(Manager& manager, int first) {
    bool any_on = false;
    for (int k = first; k < first + 3; ++k) {
        any_on = any_on || manager.navig_choice(axis_enabled(k)) == on;
    }
    for (int k = first; k < first + 3; ++k) {
        manager.set_navig_choice(axis_enabled(k), any_on ? off : on);
    }
    return !any_on;
}

bool toggle(Manager& manager, NavigAttribute attribute) {
    const bool now_on = manager.navig_choice(attribute) != on;
    manager.set_navig_choice(attribute, now_on ? on : off);
    return now_on;
}

// Ten positions of the sliders' logarithmic scale, kept within its range.
void step_sensitivities(Manager& manager, int positions) {
    const double factor =
        std::pow(10.0, double(positions) / SensitivityScale::positions_per_decade);
    for (const NavigAttribute attribute : {trans_sensitivity, rot_sensitivity}) {
        FloatSetting* setting = manager.navig_float(attribute);
        setting->set(float(std::clamp(setting->get() * factor, SensitivityScale::lowest,
                                      SensitivityScale::highest)));
    }
}

QString sensitivities(const Manager& manager) {
    return QObject::tr("Sensitivities: translations %1, rotations %2")
        .arg(QLocale().toString(manager.navig_float(trans_sensitivity)->get(), 'f', 2),
             QLocale().toString(manager.navig_float(rot_sensitivity)->get(), 'f', 2));
}
} // namespace

void add_navigation_commands(CommandInterpreter& interpreter, Manager& manager,
                             const CommandInterpreter::Output& say) {
    interpreter.add(QStringLiteral("navigation rotations toggle"), {}, [&manager, say](auto&) {
        say(toggle_axes(manager, 3) ? QObject::tr("Rotations on") : QObject::tr("Rotations off"));
    });
    interpreter.add(QStringLiteral("navigation translations toggle"), {}, [&manager, say](auto&) {
        say(toggle_axes(manager, 0) ? QObject::tr("Translations on")
                                    : QObject::tr("Translations off"));
    });
    interpreter.add(QStringLiteral("navigation dominant toggle"), {}, [&manager, say](auto&) {
        say(toggle(manager, dominant_axis) ? QObject::tr("Dominant axis only")
                                           : QObject::tr("Every axis"));
    });
    interpreter.add(QStringLiteral("navigation horizon toggle"), {}, [&manager, say](auto&) {
        say(toggle(manager, lock_horizon) ? QObject::tr("Horizon locked")
                                          : QObject::tr("Horizon free"));
    });
    for (const auto& [word, positions] : {std::pair{"up", 10}, std::pair{"down", -10}}) {
        interpreter.add(QStringLiteral("navigation sensitivity ") + QLatin1String(word), {},
                        [&manager, say, steps = positions](auto&) {
                            step_sensitivities(manager, steps);
                            say(sensitivities(manager));
                        });
    }
}
