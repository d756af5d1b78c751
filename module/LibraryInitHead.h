#pragma once

// Included first by each of the module's source units: the initialisation
// objects of the libraries every unit uses, in their order, then the
// module's own. Each unit holds its own instances.

#include "Kestrava_spaceWare.h"
#include "Kestrava_utils.h"
#include "Tarvik_init.h"
#include "Tarvik_utils.h"
#include "module/Kestravagui_init.h"

namespace {
Tarvikxtools_init tarvikxtools_init;
Tarvikutils_init tarvikutils_init;
Tarvikmath_init tarvikmath_init;
Tarvikgtools_init tarvikgtools_init;
Tarvikgxtools_init tarvikgxtools_init;
KestravaspaceWare_init kestravaspaceware_init;
Kestravautils_init kestravautils_init;
Kestravagui_init kestravagui_init;
} // namespace
