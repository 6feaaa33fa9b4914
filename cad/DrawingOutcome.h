#pragma once

namespace channel {

enum class DrawingOutcome {
    Drawn,        // every call succeeded
    Incomplete,   // the application was reached but some call failed
    Unreachable,  // no application could be attached or started; nothing drawn
};

}  // namespace channel
