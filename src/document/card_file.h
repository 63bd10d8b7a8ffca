#pragma once

// The ".vis" card file: signature, card format, editing area, background, zoom, then one
// entry per used slot and the terminator 10001. Pictures are kept by path only.

#include "document/binary_io.h"
#include "document/card_document.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace vellamo::document {

inline constexpr int CardSignatureSize = 35;
inline constexpr const char* CardSignature = "Korvend Quillstone-Cardcrafter 2.0";

// One object's entry as the card file stores it: its slot index, then its fields.
void appendObjectEntry(QByteArray& bytes, int slot, const Tobs& object);
// Reads one entry's stored fields, those after its slot index, into `object`; each field is
// stored only once it was read whole, so data that ends inside an entry keeps the fields before
// that point. `textRead` runs as soon as Text was read. False when the data ended first.
bool readObjectFields(ByteReader& in, Tobs& object, const std::function<void()>& textRead = {});

// The file as Saveit writes it.
QByteArray cardToBytes(const CardDocument& doc);

// All 35 bytes compared, the terminating 0 byte included; shorter data never matches.
bool hasCardSignature(const QByteArray& bytes);

struct CardFileBytes {
    enum class Outcome { Read, CannotOpen, NotACard };
    Outcome outcome = Outcome::CannotOpen;
    QByteArray bytes;
};

// The bytes of the card file at `path`. Only a regular file is read, and only when it starts
// with the signature: a FIFO, a device or a card file beyond MaxCardFileBytes cannot be opened,
// and some large other file costs no more than its first bytes.
CardFileBytes readCardFile(const QString& path);

// Called while reading, where loading pictures belongs in the order of the file.
struct CardReadHooks {
    std::function<void()> backgroundRead;
    std::function<void(int slot)> pictureEntryRead;
};

struct CardReadResult {
    bool signatureMatched = false;
    // False when the data ended before the terminator; what was read stays.
    bool complete = false;
    // The objects were read whole, but what followed the terminator was ours and damaged; the
    // chunks before the damage are kept.
    bool extensionDamaged = false;
};

// Reads everything behind the signature into `doc` as stored, without judging the values.
// `doc` is cleared first when the signature matches; otherwise it is untouched.
CardReadResult readCardBytes(const QByteArray& bytes, CardDocument& doc, const CardReadHooks& hooks = {});

// Brings values read from a file that the program cannot work with back into range: the card
// format as usableCardFormat says, an editing area outside 1 .. three times 3000 inches (or
// one that no longer fits a corrected format) from the format, a zoom beyond the zoom tool's
// range to its nearer end, and a zoom that is no ratio back to `previousZoomNum` / `previousZoomDen`.
void makeReadCardUsable(CardDocument& doc, double previousZoomNum, double previousZoomDen);

}  // namespace vellamo::document
