#pragma once

// Bounds-checked reads of little- and big-endian integers from file bytes. Every read outside
// the data yields 0 and marks the view as overrun, so a codec checks once after a block of reads.

#include <QByteArray>
#include <cstdint>

namespace vellamo::imaging {

class ByteView {
public:
    explicit ByteView(const QByteArray& bytes)
        : m_data(reinterpret_cast<const std::uint8_t*>(bytes.constData())), m_size(bytes.size())
    {
    }
    ByteView(const std::uint8_t* data, qsizetype size) : m_data(data), m_size(size) {}

    qsizetype size() const { return m_size; }
    bool has(qsizetype at, qsizetype count) const
    {
        return at >= 0 && count >= 0 && at <= m_size && count <= m_size - at;
    }
    bool overrun() const { return m_overrun; }
    const std::uint8_t* data() const { return m_data; }

    std::uint32_t u8(qsizetype at) const { return has(at, 1) ? m_data[at] : fail(); }
    std::uint32_t u16le(qsizetype at) const
    {
        return has(at, 2) ? m_data[at] | (m_data[at + 1] << 8) : fail();
    }
    std::uint32_t u16be(qsizetype at) const
    {
        return has(at, 2) ? (m_data[at] << 8) | m_data[at + 1] : fail();
    }
    std::uint32_t u32le(qsizetype at) const
    {
        return has(at, 4) ? std::uint32_t(m_data[at]) | (std::uint32_t(m_data[at + 1]) << 8) |
                                (std::uint32_t(m_data[at + 2]) << 16) | (std::uint32_t(m_data[at + 3]) << 24)
                          : fail();
    }
    std::uint32_t u32be(qsizetype at) const
    {
        return has(at, 4) ? (std::uint32_t(m_data[at]) << 24) | (std::uint32_t(m_data[at + 1]) << 16) |
                                (std::uint32_t(m_data[at + 2]) << 8) | std::uint32_t(m_data[at + 3])
                          : fail();
    }
    std::int32_t i32le(qsizetype at) const { return std::int32_t(u32le(at)); }
    bool startsWith(qsizetype at, const char* tag, qsizetype length) const
    {
        if (!has(at, length))
            return false;
        for (qsizetype i = 0; i < length; ++i)
            if (m_data[at + i] != std::uint8_t(tag[i]))
                return false;
        return true;
    }

private:
    std::uint32_t fail() const
    {
        m_overrun = true;
        return 0;
    }

    const std::uint8_t* m_data;
    qsizetype m_size;
    mutable bool m_overrun = false;
};

// Writers of the same integers.
inline void appendU16le(QByteArray& out, std::uint32_t v)
{
    out.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}
inline void appendU16be(QByteArray& out, std::uint32_t v)
{
    out.append(char((v >> 8) & 0xFF)).append(char(v & 0xFF));
}
inline void appendU32be(QByteArray& out, std::uint32_t v)
{
    appendU16be(out, v >> 16);
    appendU16be(out, v & 0xFFFF);
}

}  // namespace vellamo::imaging
