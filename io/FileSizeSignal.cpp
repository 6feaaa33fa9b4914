#include "io/FileSizeSignal.h"

#include <csignal>

namespace channel {

void ReportFileSizeLimitAsWriteError() {
#ifdef SIGXFSZ  // POSIX only; Windows has no per-process file-size limit
    // Ignored, the signal is not delivered and write() returns EFBIG after
    // writing what fits, which the atomic write treats as a failed write.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace channel
