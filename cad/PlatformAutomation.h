#pragma once

#include <memory>

#include "cad/Automation.h"

namespace channel {

// The backend that reaches a real AutoCAD on this platform, or nullptr where
// none can exist. The build picks the one source file that defines this.
std::unique_ptr<Automation> MakePlatformAutomation();

}  // namespace channel
