#pragma once

// The sheet layout of one kind of business card, in millimetres: 112 bytes, the same in
// "Visiten.dat" and in card files.

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <string>

namespace vellamo::document {

struct CardFormat {
    double MarginLeft = 0;
    double MarginTop = 0;
    double PitchX = 0;
    double PitchY = 0;
    double CardWidth = 0;
    double CardHeight = 0;
    std::int32_t Columns = 0;
    std::int32_t Rows = 0;
    // At most 50 Windows-1252 bytes.
    std::string Name;
    // Bytes 56..111 of the record: the length byte, the 50 name bytes and the 5 padding bytes.
    // The name's own bytes here are zero, and so is the length byte unless the record held one
    // beyond 50; that and what lies behind the name are kept as read, so a record read and
    // written again is the same to the byte.
    std::array<unsigned char, 56> NameArea{};

    bool operator==(const CardFormat&) const = default;
};

inline constexpr int CardFormatRecordSize = 112;
inline constexpr int CardFormatNameLength = 50;

// 90 x 55 mm, 2 x 5 cards, no margins, "None Business Cardstype".
CardFormat defaultCardFormat();

// The record's 112 bytes. `bytes` must hold at least 112 bytes from `offset`.
QByteArray cardFormatToBytes(const CardFormat& format);
CardFormat cardFormatFromBytes(const char* bytes);

// Sets the name to its first 50 bytes; the bytes behind the new name stay as they were.
void setCardFormatName(CardFormat& format, std::string name);

// Values that would break the sheet arithmetic or the editing area, brought into the ranges
// the edit dialog offers: lengths finite and within 0..3000 inches, card width and height at
// least 1 mm, columns and rows within 1..50. A card width or height that had to be corrected
// keeps its pitch at least that size, so the cards do not overlap. Everything else is kept.
CardFormat usableCardFormat(const CardFormat& format);
bool isUsableCardFormat(const CardFormat& format);

// "2 x 5 Business Cards at 3.54 in x 2.17 in per sheet [Spaces ...][Margin ...]" with the
// locale's decimal separator.
QString FormatDescription(const CardFormat& format, const QLocale& locale = QLocale());

// The top-left corner in mm of the card in column `column` and row `row`, 0-based.
struct SheetPoint {
    double x = 0;
    double y = 0;
};
SheetPoint cardPosition(const CardFormat& format, int column, int row);

}  // namespace vellamo::document
