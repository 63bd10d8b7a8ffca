#include "document/card_file.h"

#include "document/binary_io.h"
#include "document/units.h"

#include <cstring>

namespace vellamo::document {

void appendObjectEntry(QByteArray& bytes, int slot, const Tobs& o)
{
    appendInt32(bytes, slot);
    appendInt32(bytes, o.Left);
    appendInt32(bytes, o.Top);
    appendInt32(bytes, o.Width);
    appendInt32(bytes, o.Height);
    appendByte(bytes, o.KeepAspect ? 1 : 0);
    appendInt32(bytes, o.Kind);
    appendInt32(bytes, o.Color);
    appendInt32(bytes, o.ShapeKind);
    appendInt32(bytes, o.TextAlign);
    appendInt32(bytes, o.BorderColor);
    appendInt32(bytes, o.FillMode);
    appendByte(bytes, o.Shadow ? 1 : 0);
    appendByte(bytes, o.Outline ? 1 : 0);
    appendInt32(bytes, o.ShadowDX);
    appendInt32(bytes, o.ShadowDY);
    appendByte(bytes, o.Transparent ? 1 : 0);
    appendByte(bytes, o.AutoTransparent ? 1 : 0);
    appendInt32(bytes, o.LineWidth);
    appendInt32(bytes, o.Rotation);
    appendZeroTerminated(bytes, o.Text);
    appendInt32(bytes, o.FontColor);
    appendInt32(bytes, o.FontHeight);
    appendZeroTerminated(bytes, o.FontName);
    appendByte(bytes, o.FontPitch);
    appendInt32(bytes, o.FontSize);
    appendByte(bytes, o.FontStyle);
}

namespace {

// Each field is stored only once it was read whole, so a file that ends inside an entry keeps
// the fields before that point.
class EntryReader {
public:
    explicit EntryReader(ByteReader& in) : m_in(in) {}
    bool ok() const { return m_ok; }

    void int32(std::int32_t& field)
    {
        if (!m_ok)
            return;
        if (auto v = m_in.int32())
            field = *v;
        else
            m_ok = false;
    }
    void flag(bool& field)
    {
        if (!m_ok)
            return;
        if (auto v = m_in.byte())
            field = *v != 0;
        else
            m_ok = false;
    }
    void byte(std::uint8_t& field)
    {
        if (!m_ok)
            return;
        if (auto v = m_in.byte())
            field = *v;
        else
            m_ok = false;
    }
    void text(std::string& field)
    {
        if (!m_ok)
            return;
        bool complete = false;
        field = m_in.zeroTerminated(complete);
        m_ok = complete;
    }

private:
    ByteReader& m_in;
    bool m_ok = true;
};

}  // namespace

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
    return bytes;
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

    ByteReader in(bytes);
    in.bytes(CardSignatureSize);
    const auto format = in.bytes(CardFormatRecordSize);
    if (!format)
        return result;
    doc.Format = cardFormatFromBytes(format->constData());
    doc.updateExtents();  // stands until the stored extents are read

    EntryReader header(in);
    header.int32(doc.CardExtentX);
    header.int32(doc.CardExtentY);
    header.int32(doc.BackgroundMode);
    header.text(doc.BackgroundFile);
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
        EntryReader entry(in);
        entry.int32(o.Left);
        entry.int32(o.Top);
        entry.int32(o.Width);
        entry.int32(o.Height);
        entry.flag(o.KeepAspect);
        entry.int32(o.Kind);
        entry.int32(o.Color);
        entry.int32(o.ShapeKind);
        entry.int32(o.TextAlign);
        entry.int32(o.BorderColor);
        entry.int32(o.FillMode);
        entry.flag(o.Shadow);
        entry.flag(o.Outline);
        entry.int32(o.ShadowDX);
        entry.int32(o.ShadowDY);
        entry.flag(o.Transparent);
        entry.flag(o.AutoTransparent);
        entry.int32(o.LineWidth);
        entry.int32(o.Rotation);
        entry.text(o.Text);
        if (entry.ok() && o.Kind == PictureObject) {
            imaging::deldib(o.Picture);
            if (hooks.pictureEntryRead)
                hooks.pictureEntryRead(*slot);
        }
        entry.int32(o.FontColor);
        entry.int32(o.FontHeight);
        entry.text(o.FontName);
        entry.byte(o.FontPitch);
        entry.int32(o.FontSize);
        entry.byte(o.FontStyle);
        if (!entry.ok())
            return result;
    }
    result.complete = true;
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
    if (!isUsableZoom(doc.ZoomNum, doc.ZoomDen)) {
        doc.ZoomNum = previousZoomNum;
        doc.ZoomDen = previousZoomDen;
    }
}

}  // namespace vellamo::document
