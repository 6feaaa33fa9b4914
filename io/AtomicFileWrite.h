#pragma once

#include <QByteArray>
#include <QString>

#include "io/Outcome.h"

namespace channel {

// The step at which writing a whole file stopped.
enum class FileWriteStep {
    Create,  // no temporary file could be made beside the target
    Write,   // the content could not be written out in full (a full disk, a size limit)
    Commit,  // the complete temporary file could not take the target's place
};

struct FileWriteFailure {
    FileWriteStep step;
    QString reason;  // Chinese, from the system's error
};
using FileWriteOutcome = Outcome<FileWriteFailure>;

// Makes `bytes` the whole content of the file at `path`. They go into a
// temporary file in the target's folder, which is flushed and checked and only
// then renamed over the target. On any failure the target is left byte for
// byte as it was and the temporary file is removed; nothing is written in
// place. A target that exists but is not a regular file (a folder, a device, a
// pipe) is refused at the Create step: renaming over it would replace the node
// itself. A link is followed and the file it names is replaced.
//
// A save that was killed part-way leaves its temporary file behind. Before
// writing, the temporaries of earlier runs beside the target are removed:
// files named like this writer's temporaries ("<name><suffix>.XXXXXX" with the
// target's own suffix, ".efs" for "a.efs") that were last written before this
// program started, so no save still running can lose its file.
FileWriteOutcome WriteFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace channel
