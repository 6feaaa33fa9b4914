#pragma once

namespace channel {

// Makes a write past the process's file-size limit (`ulimit -f`) fail with
// EFBIG, as a full disk fails with ENOSPC, instead of ending the process by
// SIGXFSZ: the save then reports its reason and the unsaved table survives.
// The program calls it first thing at start; it leaves every other signal
// alone. Nothing to do where the system has no such signal.
void ReportFileSizeLimitAsWriteError();

}  // namespace channel
