#pragma once

#include <sys/resource.h>
#include <sys/stat.h>

#include <QFile>
#include <QString>

#include "io/FileSizeSignal.h"

namespace channel {

// What the tests of every file the program writes use to make writing fail.

// True when `path`, links followed, is a character device such as /dev/full.
inline bool IsCharacterDevice(const QString& path) {
    struct stat status {};
    return stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISCHR(status.st_mode);
}

// Makes writes beyond `bytes` fail for this process (EFBIG, after a short
// write up to the limit), as a disk that fills up part-way would, and puts
// the limit back afterwards. The process is set up as the program sets
// itself up at start, so it survives the limit as the program must.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        ReportFileSizeLimitAsWriteError();
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }

  private:
    rlimit saved_{};
    bool active_ = false;
};

}  // namespace channel
