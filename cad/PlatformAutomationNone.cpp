#include "cad/PlatformAutomation.h"

namespace channel {

// AutoCAD runs on Windows only; elsewhere every export goes to a DXF file.
std::unique_ptr<Automation> MakePlatformAutomation() {
    return nullptr;
}

}  // namespace channel
