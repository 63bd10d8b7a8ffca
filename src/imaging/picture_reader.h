#pragma once

#include "imaging/dib_record.h"
#include "imaging/progress.h"

#include <QString>

namespace vellamo::imaging {

// Reads a picture file into `out`, choosing the reader by the file's content, not its name.
// On failure `out` is not loaded. Progress goes 0..100 while reading.
bool OpenDib(DibRecord& out, const QString& path, const ProgressCallback& progress = {});

// The same for bytes already in memory.
bool readPicture(DibRecord& out, const QByteArray& bytes, const ProgressCallback& progress = {});

}  // namespace vellamo::imaging
