#include "document/units.h"

#include <cmath>
#include <limits>

namespace vellamo::document {

std::int32_t truncToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double low = double(std::numeric_limits<std::int32_t>::min());
    constexpr double high = double(std::numeric_limits<std::int32_t>::max());
    if (value <= low)
        return std::numeric_limits<std::int32_t>::min();
    if (value >= high)
        return std::numeric_limits<std::int32_t>::max();
    return std::int32_t(value);
}

double mmToInches(double mm) { return mm / MillimetresPerInch; }

double inchesToMm(double inches) { return inches * MillimetresPerInch; }

std::int32_t mmToUnits(double mm) { return truncToInt32(mm * UnitsPerInch / MillimetresPerInch); }

std::int32_t editingExtent(double cardLengthMm)
{
    return truncToInt32(3 * cardLengthMm * UnitsPerInch / MillimetresPerInch);
}

std::int32_t unitsToScreen(std::int32_t units, double zoomNum, double zoomDen)
{
    return truncToInt32(units * zoomNum / zoomDen);
}

std::int32_t screenToUnits(std::int32_t pixels, double zoomNum, double zoomDen)
{
    return truncToInt32(pixels / zoomNum * zoomDen);
}

std::int32_t pressToUnits(std::int32_t pixels, double zoomNum, double zoomDen)
{
    return truncToInt32(pixels * zoomDen / zoomNum);
}

std::int32_t unitsToDevice(std::int32_t units, double printScale) { return truncToInt32(units * printScale); }

double startZoomDen(int screenPixelsPerInch)
{
    if (screenPixelsPerInch <= 0)
        screenPixelsPerInch = 96;
    return double(UnitsPerInch / screenPixelsPerInch);
}

bool bringZoomIntoToolRange(double& zoomNum, double& zoomDen)
{
    if (!std::isfinite(zoomNum) || !std::isfinite(zoomDen) || zoomNum <= 0 || zoomDen <= 0)
        return false;
    const double unitsPerPixel = zoomDen / zoomNum;
    if (unitsPerPixel < FinestZoomUnitsPerPixel || unitsPerPixel > CoarsestZoomUnitsPerPixel) {
        zoomNum = 1.0;
        zoomDen =
            unitsPerPixel < FinestZoomUnitsPerPixel ? FinestZoomUnitsPerPixel : CoarsestZoomUnitsPerPixel;
    }
    return true;
}

}  // namespace vellamo::document
