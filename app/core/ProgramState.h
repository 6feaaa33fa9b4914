#pragma once

#include "cad/CadConnection.h"

namespace channel {

// What the program keeps for the whole run beyond the open table (which the
// main window's document holds): the CAD connection. Created by InitGlobals
// before the main window, released by ReleaseGlobals when the application
// ends.
struct ProgramState {
    CadConnection cadConnection;
};

ProgramState& InitGlobals();
// Releases the CAD connection in its fixed order. Safe to call more than once.
void ReleaseGlobals();

}  // namespace channel
