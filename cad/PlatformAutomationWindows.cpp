#include "cad/ComAutomation.h"
#include "cad/PlatformAutomation.h"

namespace channel {

std::unique_ptr<Automation> MakePlatformAutomation() {
    return MakeComAutomation();
}

}  // namespace channel
