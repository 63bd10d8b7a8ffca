#include "print/sheet_layout.h"

#include "document/units.h"

#include <algorithm>

namespace vellamo::print {

using document::MillimetresPerInch;
using document::truncToInt32;

int zoomedIn(int previewDpi)
{
    const int next = (3 * previewDpi) / 2;
    return next < 300 ? next : previewDpi;
}

int zoomedOut(int previewDpi)
{
    const int next = (2 * previewDpi) / 3;
    return next > 10 ? next : previewDpi;
}

int cardsPerSheet(const document::CardFormat& format)
{
    const qint64 perSheet = qint64(format.Columns) * format.Rows;
    return perSheet >= 1 && perSheet <= 1'000'000 ? int(perSheet) : 1;
}

int pageCount(const SheetValues& values, int perSheet)
{
    const int last = values.used + values.copies - 1;
    // Floor division keeps a zero copy count on the first page.
    return (last < 0 ? 0 : last / perSheet) + 1;
}

SheetValues clampedValues(SheetValues values, int perSheet)
{
    if (values.used >= perSheet - 1)
        values.used = perSheet - 1;
    const int pages = pageCount(values, perSheet);
    if (values.page > pages)
        values.page = pages;
    return values;
}

std::vector<SheetPosition> jobPositions(const SheetValues& values, const document::CardFormat& format)
{
    const int perSheet = cardsPerSheet(format);
    const int columns = std::max(format.Columns, 1);
    const int rows = std::max(format.Rows, 1);
    std::vector<SheetPosition> positions;
    if (values.copies <= 0)
        return positions;
    positions.reserve(std::size_t(values.copies));
    const int first = values.used;
    for (int i = first; i <= values.used + values.copies - 1; ++i) {
        SheetPosition p;
        p.index = i;
        p.sheet = i / perSheet;
        p.column = i % columns;
        p.row = (i / columns) % rows;
        p.newPage = i != first && i / perSheet != (i - 1) / perSheet;
        positions.push_back(p);
    }
    return positions;
}

double Calibration::mmPerInchX() const { return width * MillimetresPerInch / 100; }

double Calibration::mmPerInchY() const { return height * MillimetresPerInch / 100; }

QRect previewCell(const document::CardFormat& format, int previewDpi, int column, int row)
{
    const double dpi = previewDpi;
    const int x = truncToInt32(format.MarginLeft / MillimetresPerInch * dpi +
                               format.PitchX / MillimetresPerInch * dpi * column);
    const int y = truncToInt32(format.MarginTop / MillimetresPerInch * dpi +
                               format.PitchY / MillimetresPerInch * dpi * row);
    return QRect(QPoint(x, y), previewCardSize(format, previewDpi));
}

QSize previewCardSize(const document::CardFormat& format, int previewDpi)
{
    return QSize(truncToInt32(format.CardWidth / MillimetresPerInch * previewDpi),
                 truncToInt32(format.CardHeight / MillimetresPerInch * previewDpi));
}

QRect previewShownPart(const std::vector<SheetPosition>& positions, int sheet,
                       const document::CardFormat& format, int previewDpi, QSize page)
{
    const QRect pageRect(QPoint(0, 0), page);
    QRect part;
    for (const SheetPosition& position : positions) {
        if (position.sheet != sheet)
            continue;
        const QRect cell = previewCell(format, previewDpi, position.column, position.row);
        part |= (cell & pageRect).translated(-cell.topLeft());
    }
    return part;
}

QRect printCell(const document::CardFormat& format, const Calibration& calibration, int dx, int dy,
                int column, int row)
{
    const double mmX = calibration.mmPerInchX();
    const double mmY = calibration.mmPerInchY();
    const int x =
        truncToInt32((format.MarginLeft - calibration.left) / mmX * dx + format.PitchX / mmX * dx * column);
    const int y =
        truncToInt32((format.MarginTop - calibration.top) / mmY * dy + format.PitchY / mmY * dy * row);
    const int w = truncToInt32(format.CardWidth / mmX * dx);
    const int h = truncToInt32(format.CardHeight / mmY * dy);
    return QRect(x, y, w, h);
}

QSize testRectangleSize(int dx, int dy)
{
    return QSize(truncToInt32(100 / MillimetresPerInch * dx), truncToInt32(100 / MillimetresPerInch * dy));
}

QSize previewPageSize(QSize printable, int dx, int dy, int previewDpi)
{
    auto side = [previewDpi](int pixels, int printerDpi) {
        if (printerDpi <= 0 || previewDpi <= 0)
            return 0;
        const int divisor = printerDpi / previewDpi;
        if (divisor == 0)
            return truncToInt32(double(pixels) * previewDpi / printerDpi);
        return pixels / divisor;
    };
    return QSize(side(printable.width(), dx), side(printable.height(), dy));
}

}  // namespace vellamo::print
