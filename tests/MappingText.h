#pragma once

#include <QStringList>

#include "Kestrava_spaceWare.h"
#include "TestSupport.h"

// The mapping as letters and signs, "+y +z -x" for x→y, y→z, z→-x.
inline QString translations(const SpaceWarePreferencesManager& manager) {
    QStringList parts;
    for (int k = 0; k < 3; ++k) {
        parts << (manager.navig_choice(translation_direction(k)) == 1 ? "-" : "+") +
                     text_of(manager.navig_string(translation_axis(k)));
    }
    return parts.join(' ');
}
