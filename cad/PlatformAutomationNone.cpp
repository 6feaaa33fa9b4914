#include "cad/PlatformAutomation.h"

// AutoCAD runs on Windows only; elsewhere every export goes to a DXF file.
std::unique_ptr<Automation> MakePlatformAutomation() { return nullptr; }
