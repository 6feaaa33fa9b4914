#include "app/core/ProgramState.h"

#include <memory>

namespace channel {

namespace {
std::unique_ptr<ProgramState> globals;
}

ProgramState& InitGlobals() {
    globals = std::make_unique<ProgramState>();
    return *globals;
}

void ReleaseGlobals() {
    if (!globals) return;
    ReleaseCadConnection(globals->cadConnection);
    globals.reset();
}

}  // namespace channel
