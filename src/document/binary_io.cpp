#include "document/binary_io.h"

#include <cstring>

namespace vellamo::document {

void appendInt32(QByteArray& bytes, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    const char le[4] = {char(u & 0xFF), char((u >> 8) & 0xFF), char((u >> 16) & 0xFF),
                        char((u >> 24) & 0xFF)};
    bytes.append(le, 4);
}

void appendDouble(QByteArray& bytes, double value)
{
    std::uint64_t u;
    std::memcpy(&u, &value, 8);
    char le[8];
    for (int i = 0; i < 8; ++i)
        le[i] = char((u >> (8 * i)) & 0xFF);
    bytes.append(le, 8);
}

void appendByte(QByteArray& bytes, std::uint8_t value) { bytes.append(char(value)); }

void appendZeroTerminated(QByteArray& bytes, const std::string& text)
{
    bytes.append(text.data(), qsizetype(text.size()));
    bytes.append('\0');
}

std::int32_t readInt32(const char* bytes)
{
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= std::uint32_t(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return static_cast<std::int32_t>(u);
}

double readDouble(const char* bytes)
{
    std::uint64_t u = 0;
    for (int i = 0; i < 8; ++i)
        u |= std::uint64_t(static_cast<unsigned char>(bytes[i])) << (8 * i);
    double value;
    std::memcpy(&value, &u, 8);
    return value;
}

std::optional<std::int32_t> ByteReader::int32()
{
    if (remaining() < 4) {
        m_position = m_bytes.size();
        return std::nullopt;
    }
    const auto value = readInt32(m_bytes.constData() + m_position);
    m_position += 4;
    return value;
}

std::optional<double> ByteReader::float64()
{
    if (remaining() < 8) {
        m_position = m_bytes.size();
        return std::nullopt;
    }
    const auto value = readDouble(m_bytes.constData() + m_position);
    m_position += 8;
    return value;
}

std::optional<std::uint8_t> ByteReader::byte()
{
    if (remaining() < 1)
        return std::nullopt;
    return static_cast<std::uint8_t>(m_bytes[m_position++]);
}

std::optional<QByteArray> ByteReader::bytes(qsizetype count)
{
    if (count < 0 || remaining() < count) {
        m_position = m_bytes.size();
        return std::nullopt;
    }
    QByteArray part = m_bytes.mid(m_position, count);
    m_position += count;
    return part;
}

std::string ByteReader::zeroTerminated(bool& complete)
{
    const char* data = m_bytes.constData() + m_position;
    const qsizetype left = remaining();
    const void* zero = left > 0 ? std::memchr(data, 0, std::size_t(left)) : nullptr;
    if (!zero) {
        std::string text(data, std::size_t(left > 0 ? left : 0));
        m_position = m_bytes.size();
        complete = false;
        return text;
    }
    const auto length = static_cast<const char*>(zero) - data;
    std::string text(data, std::size_t(length));
    m_position += length + 1;
    complete = true;
    return text;
}

}  // namespace vellamo::document
