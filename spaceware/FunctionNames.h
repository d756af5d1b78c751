#pragma once

#include <QString>

#include "Tarvik_utils.h"
#include "kestrava_spaceware_export.h"

class SpaceWarePreferencesManager;

// A function as people read it: a built-in one by its translated title
// ("Fit All"), the user's by the name they gave it.
KESTRAVA_SPACEWARE_EXPORT QString
function_name_for_people(const SpaceWarePreferencesManager& manager, const CString& function);
