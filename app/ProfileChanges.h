#pragma once

#include <QStringList>

#include "Kestrava_spaceWare.h"

// What taking `to` in place of `from` changes, a line for each setting as
// people read it: "Translation sensitivity: 1.00 → 0.50".
QStringList profile_changes(const SpaceWarePreferencesManager& manager,
                            const SpaceWarePreferencesManager::Settings& from,
                            const SpaceWarePreferencesManager::Settings& to);
