#pragma once

// Little-endian fields of the program's files, and a reader that never reads past its data.

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <string>

namespace vellamo::document {

void appendInt32(QByteArray& bytes, std::int32_t value);
void appendDouble(QByteArray& bytes, double value);
void appendByte(QByteArray& bytes, std::uint8_t value);
// The bytes and one 0 byte.
void appendZeroTerminated(QByteArray& bytes, const std::string& text);

std::int32_t readInt32(const char* bytes);
double readDouble(const char* bytes);

class ByteReader {
public:
    explicit ByteReader(const QByteArray& bytes) : m_bytes(bytes) {}

    qsizetype position() const { return m_position; }
    qsizetype remaining() const { return m_bytes.size() - m_position; }
    bool atEnd() const { return remaining() <= 0; }

    std::optional<std::int32_t> int32();
    std::optional<double> float64();
    std::optional<std::uint8_t> byte();
    // `count` bytes, or nothing (and the position at the end) when fewer are left.
    std::optional<QByteArray> bytes(qsizetype count);
    // Bytes up to the next 0 byte, which is consumed. Data that ends first gives what was
    // there and `complete` false.
    std::string zeroTerminated(bool& complete);

private:
    const QByteArray& m_bytes;
    qsizetype m_position = 0;
};

}  // namespace vellamo::document
