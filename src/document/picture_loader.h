#pragma once

// What reading a card needs from the picture operations, which live above the document.

#include "imaging/dib_record.h"

#include <QString>

namespace vellamo::document {

class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // Loads `path` (a bare name lies in the program folder) into `target`; on failure the
    // target is unchanged and the result is false.
    virtual bool load(imaging::DibRecord& target, const QString& path) const = 0;
    // The same with the decoded picture taking at most `maxBytes` (a larger one read smaller
    // or refused); a loader of small pictures only may ignore the bound.
    virtual bool loadWithin(imaging::DibRecord& target, const QString& path, qint64 maxBytes) const
    {
        Q_UNUSED(maxBytes);
        return load(target, path);
    }
    // Turns the pixels by `rotation` quarter turns clockwise (1 right, 2 half, 3 left).
    virtual void rotate(imaging::DibRecord& picture, int rotation) const = 0;
};

}  // namespace vellamo::document
