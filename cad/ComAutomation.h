#pragma once

#include <memory>

#include "cad/Automation.h"

namespace channel {

// Windows COM automation: late binding through IDispatch, points as SAFEARRAYs
// of VT_R8. COM is initialised for the calling (user-interface) thread as a
// single-threaded apartment and stays initialised while any reference made
// here is alive. Windows only; no Qt.
std::unique_ptr<Automation> MakeComAutomation();

}  // namespace channel
