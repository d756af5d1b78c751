#include "ProfileChanges.h"

#include <QCoreApplication>
#include <QLocale>

#include "FunctionNames.h"

namespace {
using Manager = SpaceWarePreferencesManager;

// By attribute.
const char* const setting_names[Manager::navig_count] = {
    QT_TRANSLATE_NOOP("ProfileChanges", "Axis of the x translation"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Axis of the y translation"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Axis of the z translation"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Direction of the x translation"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Direction of the y translation"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Direction of the z translation"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Direction of the x rotation"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Direction of the y rotation"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Direction of the z rotation"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Translation sensitivity"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Rotation sensitivity"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Dead zone"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Dominant axis"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Rotation centre"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Level horizon"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Navigation mode"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Translation along x"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Translation along y"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Translation along z"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Rotation about x"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Rotation about y"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Rotation about z"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Translation curve"),
    QT_TRANSLATE_NOOP("ProfileChanges", "Rotation curve"),
};

QString translated(const char* text) {
    return QCoreApplication::translate("ProfileChanges", text);
}

QString value_text(NavigAttribute attribute, const Manager::NavigValue& value) {
    return Manager::navig_choice_count(attribute) > 0
               ? qstring_of(value.text)
               : QLocale().toString(double(value.number), 'f', 2);
}

QString change(const QString& what, const QString& from, const QString& to) {
    return QCoreApplication::translate("ProfileChanges", "%1: %2 \u2192 %3").arg(what, from, to);
}
} // namespace

QStringList profile_changes(const Manager& manager, const Manager::Settings& from,
                            const Manager::Settings& to) {
    QStringList changes;
    for (int a = 0; a < Manager::navig_count; ++a) {
        const auto attribute = static_cast<NavigAttribute>(a);
        const QString before = value_text(attribute, from.navig[a]);
        const QString after = value_text(attribute, to.navig[a]);
        if (before != after) {
            changes << change(translated(setting_names[a]), before, after);
        }
    }
    for (size_t n = 0; n < std::min(from.buttons.size(), to.buttons.size()); ++n) {
        if (!(from.buttons[n] == to.buttons[n])) {
            changes << change(QCoreApplication::translate("ProfileChanges", "Button %1").arg(n + 1),
                              function_name_for_people(manager, from.buttons[n]),
                              function_name_for_people(manager, to.buttons[n]));
        }
    }
    return changes;
}
