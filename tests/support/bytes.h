#pragma once

// Builds and reads file bytes in tests from the documented layouts, independently of the code
// under test.

#include <QByteArray>
#include <cstdint>
#include <cstring>
#include <string>

namespace vellamo::testing {

class Bytes {
public:
    Bytes& i32(std::int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            data.append(char((std::uint32_t(v) >> (8 * i)) & 0xFF));
        return *this;
    }
    Bytes& f64(double v)
    {
        std::uint64_t u;
        std::memcpy(&u, &v, 8);
        for (int i = 0; i < 8; ++i)
            data.append(char((u >> (8 * i)) & 0xFF));
        return *this;
    }
    Bytes& u8(int v)
    {
        data.append(char(v));
        return *this;
    }
    Bytes& raw(const QByteArray& b)
    {
        data.append(b);
        return *this;
    }
    Bytes& zstr(const std::string& s)
    {
        data.append(s.data(), qsizetype(s.size()));
        data.append('\0');
        return *this;
    }
    // Length-prefixed and zero-terminated, as in the address book.
    Bytes& lstr(const std::string& s)
    {
        i32(std::int32_t(s.size()));
        return zstr(s);
    }
    Bytes& zeros(int n)
    {
        data.append(QByteArray(n, '\0'));
        return *this;
    }
    QByteArray data;
};

inline std::int32_t int32At(const QByteArray& b, qsizetype at)
{
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= std::uint32_t(std::uint8_t(b[at + i])) << (8 * i);
    return std::int32_t(u);
}

inline double doubleAt(const QByteArray& b, qsizetype at)
{
    std::uint64_t u = 0;
    for (int i = 0; i < 8; ++i)
        u |= std::uint64_t(std::uint8_t(b[at + i])) << (8 * i);
    double d;
    std::memcpy(&d, &u, 8);
    return d;
}

// A 112-byte card format record.
inline QByteArray formatRecord(double ml, double mt, double px, double py, double w, double h, int cols,
                               int rows, const std::string& name)
{
    Bytes b;
    b.f64(ml).f64(mt).f64(px).f64(py).f64(w).f64(h).i32(cols).i32(rows).u8(int(name.size()));
    b.data.append(name.data(), qsizetype(name.size()));
    b.zeros(50 - int(name.size()) + 5);
    return b.data;
}

inline QByteArray cardSignature() { return QByteArray("Korvend Quillstone-Cardcrafter 2.0", 35); }

}  // namespace vellamo::testing
