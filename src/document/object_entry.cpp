#include "document/object_entry.h"

#include "document/binary_io.h"
#include "document/card_document.h"
#include "document/card_file.h"

namespace vellamo::document {

namespace {

// Reads the fields in file order; the first one missing stops it for good.
class StrictReader {
public:
    explicit StrictReader(const QByteArray& bytes) : m_in(bytes) {}
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_in.atEnd(); }

    void int32(std::int32_t& field)
    {
        const auto v = m_ok ? m_in.int32() : std::nullopt;
        m_ok = v.has_value();
        if (v)
            field = *v;
    }
    void flag(bool& field)
    {
        std::uint8_t b = 0;
        byte(b);
        field = b != 0;
    }
    void byte(std::uint8_t& field)
    {
        const auto v = m_ok ? m_in.byte() : std::nullopt;
        m_ok = v.has_value();
        if (v)
            field = *v;
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
    ByteReader m_in;
    bool m_ok = true;
};

}  // namespace

QByteArray objectEntryToBytes(int slot, const Tobs& object)
{
    QByteArray bytes;
    appendObjectEntry(bytes, slot, object);
    return bytes;
}

std::optional<ObjectEntry> objectEntryFromBytes(const QByteArray& bytes)
{
    ObjectEntry entry;
    Tobs& o = entry.object;
    StrictReader in(bytes);
    std::int32_t slot = 0;
    in.int32(slot);
    in.int32(o.Left);
    in.int32(o.Top);
    in.int32(o.Width);
    in.int32(o.Height);
    in.flag(o.KeepAspect);
    in.int32(o.Kind);
    in.int32(o.Color);
    in.int32(o.ShapeKind);
    in.int32(o.TextAlign);
    in.int32(o.BorderColor);
    in.int32(o.FillMode);
    in.flag(o.Shadow);
    in.flag(o.Outline);
    in.int32(o.ShadowDX);
    in.int32(o.ShadowDY);
    in.flag(o.Transparent);
    in.flag(o.AutoTransparent);
    in.int32(o.LineWidth);
    in.int32(o.Rotation);
    in.text(o.Text);
    in.int32(o.FontColor);
    in.int32(o.FontHeight);
    in.text(o.FontName);
    in.byte(o.FontPitch);
    in.int32(o.FontSize);
    in.byte(o.FontStyle);
    if (!in.ok() || !in.atEnd() || slot < FirstSlot || slot > LastSlot || !o.isUsed())
        return std::nullopt;
    entry.slot = slot;
    return entry;
}

}  // namespace vellamo::document
