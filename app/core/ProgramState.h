#pragma once

#include "cad/CadConnection.h"
#include "files/DocumentState.h"
#include "hydraulics/ChannelElements.h"

namespace channel {

// Everything the program keeps for the whole run. Created by InitGlobals
// before the main window, released by ReleaseGlobals when the application
// ends.
struct ProgramState {
    DocumentState document;  // `modified` and `currentFileName`
    int markedRow = 0;
    ChannelElements workingRecord{};
    float targetDischarge = 0;
    CadConnection cadConnection;
};

ProgramState& InitGlobals();
// Frees the current file name and releases the CAD connection in its fixed
// order. Safe to call more than once.
void ReleaseGlobals();
ProgramState& Globals();

}  // namespace channel
