#include "document/card_format.h"

#include "document/binary_io.h"
#include "document/units.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vellamo::document {

namespace {

constexpr double MaxLengthMm = 3000 * MillimetresPerInch;
constexpr double MinCardLengthMm = 1.0;
constexpr int MaxCardsAcross = 50;

double usableLength(double mm, double minimum)
{
    if (!std::isfinite(mm))
        return minimum;
    return std::clamp(mm, minimum, MaxLengthMm);
}

QString inches(double mm, const QLocale& locale)
{
    const double value = mmToInches(mm);
    // Fixed notation with two decimals while seven significant digits can hold the value.
    if (std::fabs(value) >= 1e7)
        return locale.toString(value, 'e', 6).remove(locale.groupSeparator());
    QString text = locale.toString(value, 'f', 2);
    text.remove(locale.groupSeparator());
    return text;
}

}  // namespace

CardFormat defaultCardFormat()
{
    CardFormat format;
    format.PitchX = 90.0;
    format.PitchY = 55.0;
    format.CardWidth = 90.0;
    format.CardHeight = 55.0;
    format.Columns = 2;
    format.Rows = 5;
    setCardFormatName(format, "None Business Cardstype");
    return format;
}

void setCardFormatName(CardFormat& format, std::string name)
{
    if (name.size() > CardFormatNameLength)
        name.resize(CardFormatNameLength);
    format.Name = std::move(name);
    std::fill_n(format.NameArea.begin(), 1 + format.Name.size(), 0);
}

QByteArray cardFormatToBytes(const CardFormat& format)
{
    QByteArray bytes;
    bytes.reserve(CardFormatRecordSize);
    appendDouble(bytes, format.MarginLeft);
    appendDouble(bytes, format.MarginTop);
    appendDouble(bytes, format.PitchX);
    appendDouble(bytes, format.PitchY);
    appendDouble(bytes, format.CardWidth);
    appendDouble(bytes, format.CardHeight);
    appendInt32(bytes, format.Columns);
    appendInt32(bytes, format.Rows);
    std::array<unsigned char, 56> area = format.NameArea;
    const std::size_t length = std::min<std::size_t>(format.Name.size(), CardFormatNameLength);
    // A length byte beyond 50 as read stays as it was, as long as the name is the one read.
    if (!(length == CardFormatNameLength && area[0] > CardFormatNameLength))
        area[0] = static_cast<unsigned char>(length);
    std::memcpy(area.data() + 1, format.Name.data(), length);
    bytes.append(reinterpret_cast<const char*>(area.data()), qsizetype(area.size()));
    return bytes;
}

CardFormat cardFormatFromBytes(const char* bytes)
{
    CardFormat format;
    format.MarginLeft = readDouble(bytes + 0);
    format.MarginTop = readDouble(bytes + 8);
    format.PitchX = readDouble(bytes + 16);
    format.PitchY = readDouble(bytes + 24);
    format.CardWidth = readDouble(bytes + 32);
    format.CardHeight = readDouble(bytes + 40);
    format.Columns = readInt32(bytes + 48);
    format.Rows = readInt32(bytes + 52);
    std::memcpy(format.NameArea.data(), bytes + 56, format.NameArea.size());
    const unsigned char storedLength = format.NameArea[0];
    const std::size_t length = std::min<std::size_t>(storedLength, CardFormatNameLength);
    setCardFormatName(format, std::string(reinterpret_cast<const char*>(format.NameArea.data() + 1), length));
    // Only a length no name can have is kept, so that it is written back as it was.
    if (storedLength > CardFormatNameLength)
        format.NameArea[0] = storedLength;
    return format;
}

CardFormat usableCardFormat(const CardFormat& format)
{
    CardFormat usable = format;
    usable.MarginLeft = usableLength(format.MarginLeft, 0);
    usable.MarginTop = usableLength(format.MarginTop, 0);
    usable.PitchX = usableLength(format.PitchX, 0);
    usable.PitchY = usableLength(format.PitchY, 0);
    usable.CardWidth = usableLength(format.CardWidth, MinCardLengthMm);
    usable.CardHeight = usableLength(format.CardHeight, MinCardLengthMm);
    if (usable.CardWidth != format.CardWidth)
        usable.PitchX = std::max(usable.PitchX, usable.CardWidth);
    if (usable.CardHeight != format.CardHeight)
        usable.PitchY = std::max(usable.PitchY, usable.CardHeight);
    usable.Columns = std::clamp(format.Columns, 1, MaxCardsAcross);
    usable.Rows = std::clamp(format.Rows, 1, MaxCardsAcross);
    return usable;
}

bool isUsableCardFormat(const CardFormat& format) { return usableCardFormat(format) == format; }

QString FormatDescription(const CardFormat& format, const QLocale& locale)
{
    return QString::number(format.Columns) + " x " + QString::number(format.Rows) + " " + "Business Cards" +
           " at " + inches(format.CardWidth, locale) + " in x " + inches(format.CardHeight, locale) +
           " in per sheet [Spaces " + inches(format.PitchX, locale) + " in ; " +
           inches(format.PitchY, locale) + " in][Margin " + inches(format.MarginLeft, locale) + " in ; " +
           inches(format.MarginTop, locale) + " in]";
}

SheetPoint cardPosition(const CardFormat& format, int column, int row)
{
    return {format.MarginLeft + column * format.PitchX, format.MarginTop + row * format.PitchY};
}

}  // namespace vellamo::document
