#include "document/card_file.h"

#include "document/binary_io.h"
#include "document/units.h"
#include "imaging/regular_file.h"

#include <cstring>
#include <limits>
#include <type_traits>

namespace vellamo::document {

namespace {

void appendField(QByteArray& bytes, std::int32_t value) { appendInt32(bytes, value); }
void appendField(QByteArray& bytes, bool value) { appendByte(bytes, value ? 1 : 0); }
void appendField(QByteArray& bytes, std::uint8_t value) { appendByte(bytes, value); }
void appendField(QByteArray& bytes, const std::string& text) { appendZeroTerminated(bytes, text); }

bool readField(ByteReader& in, std::int32_t& field)
{
    const auto v = in.int32();
    if (v)
        field = *v;
    return v.has_value();
}
bool readField(ByteReader& in, bool& field)
{
    const auto v = in.byte();
    if (v)
        field = *v != 0;
    return v.has_value();
}
bool readField(ByteReader& in, std::uint8_t& field)
{
    const auto v = in.byte();
    if (v)
        field = *v;
    return v.has_value();
}
bool readField(ByteReader& in, std::string& field)
{
    bool complete = false;
    field = in.zeroTerminated(complete);
    return complete;
}

// The card's own header fields, each stored only once it was read whole.
class HeaderReader {
public:
    explicit HeaderReader(ByteReader& in) : m_in(in) {}
    bool ok() const { return m_ok; }
    template <class T> void operator()(T& field) { m_ok = m_ok && readField(m_in, field); }

private:
    ByteReader& m_in;
    bool m_ok = true;
};

}  // namespace

void appendObjectEntry(QByteArray& bytes, int slot, const Tobs& o)
{
    appendInt32(bytes, slot);
    visitStoredFields([&](const char*, auto member) { appendField(bytes, o.*member); });
}

bool readObjectFields(ByteReader& in, Tobs& o, const std::function<void()>& textRead)
{
    bool ok = true;
    visitStoredFields([&](const char*, auto member) {
        if (!ok)
            return;
        ok = readField(in, o.*member);
        if constexpr (std::is_same_v<decltype(member), std::string Tobs::*>) {
            if (ok && member == &Tobs::Text && textRead)
                textRead();
        }
    });
    return ok;
}

QByteArray cardToBytes(const CardDocument& doc)
{
    QByteArray bytes;
    bytes.append(CardSignature, CardSignatureSize);  // the 34 characters and their 0 byte
    bytes.append(cardFormatToBytes(doc.Format));
    appendInt32(bytes, doc.CardExtentX);
    appendInt32(bytes, doc.CardExtentY);
    appendInt32(bytes, doc.BackgroundMode);
    appendZeroTerminated(bytes, doc.BackgroundFile);
    appendDouble(bytes, doc.ZoomNum);
    appendDouble(bytes, doc.ZoomDen);
    for (int slot = FirstSlot; slot <= LastSlot; ++slot) {
        if (doc.object(slot).Kind > FreeSlot)
            appendObjectEntry(bytes, slot, doc.object(slot));
    }
    appendInt32(bytes, SpareSlot);
    bytes.append(extensionToBytes(doc.Extension));
    return bytes;
}

CardFileBytes readCardFile(const QString& path)
{
    using Outcome = CardFileBytes::Outcome;
    // The size is judged after the signature, so that a large other file is "not a card".
    imaging::RegularFile file(path, std::numeric_limits<qint64>::max());
    if (!file.isOpen())
        return {Outcome::CannotOpen, {}};
    QByteArray bytes = file.read(CardSignatureSize);
    if (file.readFailed())
        return {Outcome::CannotOpen, {}};
    if (!hasCardSignature(bytes))
        return {Outcome::NotACard, {}};
    if (file.size() > imaging::MaxCardFileBytes)
        return {Outcome::CannotOpen, {}};
    if (!file.appendRest(bytes))
        return {Outcome::CannotOpen, {}};
    return {Outcome::Read, bytes};
}

bool hasCardSignature(const QByteArray& bytes)
{
    return bytes.size() >= CardSignatureSize &&
           std::memcmp(bytes.constData(), CardSignature, CardSignatureSize) == 0;
}

CardReadResult readCardBytes(const QByteArray& bytes, CardDocument& doc, const CardReadHooks& hooks)
{
    CardReadResult result;
    if (!hasCardSignature(bytes))
        return result;
    result.signatureMatched = true;
    doc.clearall();
    doc.Extension.clear();

    ByteReader in(bytes);
    in.bytes(CardSignatureSize);
    const auto format = in.bytes(CardFormatRecordSize);
    if (!format)
        return result;
    doc.Format = cardFormatFromBytes(format->constData());
    doc.updateExtents();  // stands until the stored extents are read

    HeaderReader header(in);
    header(doc.CardExtentX);
    header(doc.CardExtentY);
    header(doc.BackgroundMode);
    header(doc.BackgroundFile);
    if (!header.ok())
        return result;
    if (hooks.backgroundRead)
        hooks.backgroundRead();
    const auto zoomNum = in.float64();
    const auto zoomDen = in.float64();
    if (!zoomNum || !zoomDen)
        return result;
    doc.ZoomNum = *zoomNum;
    doc.ZoomDen = *zoomDen;

    while (true) {
        const auto slot = in.int32();
        if (!slot)
            return result;
        if (*slot < FirstSlot || *slot > LastSlot)
            break;
        Tobs& o = doc.object(*slot);
        const bool whole = readObjectFields(in, o, [&] {
            if (o.Kind == PictureObject) {
                imaging::deldib(o.Picture);
                if (hooks.pictureEntryRead)
                    hooks.pictureEntryRead(*slot);
            }
        });
        if (!whole)
            return result;
    }
    result.complete = true;
    result.extensionDamaged = readExtension(bytes, in.position(), doc.Extension) == ExtensionRead::Damaged;
    return result;
}

void makeReadCardUsable(CardDocument& doc, double previousZoomNum, double previousZoomDen)
{
    const CardFormat usable = usableCardFormat(doc.Format);
    const bool formatCorrected = !(usable == doc.Format);
    doc.Format = usable;
    const std::int32_t maxExtent = editingExtent(3000 * MillimetresPerInch);
    const bool extentsUsable = doc.CardExtentX >= 1 && doc.CardExtentX <= maxExtent && doc.CardExtentY >= 1 &&
                               doc.CardExtentY <= maxExtent;
    if (formatCorrected || !extentsUsable)
        doc.updateExtents();
    if (!bringZoomIntoToolRange(doc.ZoomNum, doc.ZoomDen)) {
        doc.ZoomNum = previousZoomNum;
        doc.ZoomDen = previousZoomDen;
    }
}

}  // namespace vellamo::document
