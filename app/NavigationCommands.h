#pragma once

// The host's commands that change the navigation settings, for the device's
// buttons and the user's functions:
//   navigation rotations toggle | translations toggle   every such axis off, or on
//   navigation dominant toggle                          the dominant-axis switch
//   navigation horizon toggle                           the locked horizon
//   navigation sensitivity up | down                    both sensitivities by ten
//                                                       positions of the sliders
// Each says what it did.

#include "Tarvik_cli.h"

class SpaceWarePreferencesManager;

void add_navigation_commands(CommandInterpreter& interpreter, SpaceWarePreferencesManager& manager,
                             const CommandInterpreter::Output& say);
