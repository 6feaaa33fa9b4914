#include "cad/ComAutomation.h"
#include "cad/PlatformAutomation.h"

std::unique_ptr<Automation> MakePlatformAutomation() { return MakeComAutomation(); }
