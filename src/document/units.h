#pragma once

// Every conversion between millimetres, inches, object units and pixels. Object units are
// 1/20000 inch; the program's millimetres per inch are 25.39995. Conversions to integers
// truncate toward zero once, after the real-valued arithmetic.

#include <cstdint>

namespace vellamo::document {

inline constexpr double MillimetresPerInch = 25.39995;
inline constexpr int UnitsPerInch = 20000;

// Truncates toward zero into an int32; NaN gives 0 and values beyond the range saturate, so
// damaged input never reaches undefined behaviour.
std::int32_t truncToInt32(double value);

double mmToInches(double mm);
double inchesToMm(double inches);

// One card length in millimetres to object units.
std::int32_t mmToUnits(double mm);

// The editing area is three card lengths: Trunc(3 x mm x 20000 / 25.39995), in that order.
std::int32_t editingExtent(double cardLengthMm);

// Screen conversion: Trunc(units x zoomNum / zoomDen).
std::int32_t unitsToScreen(std::int32_t units, double zoomNum, double zoomDen);
// The inverse used by the setters and the mouse: Trunc(px / zoomNum x zoomDen).
std::int32_t screenToUnits(std::int32_t pixels, double zoomNum, double zoomDen);
// The mouse's press in units: Trunc(px x zoomDen / zoomNum).
std::int32_t pressToUnits(std::int32_t pixels, double zoomNum, double zoomDen);

// Device conversion: Trunc(units x printScale).
std::int32_t unitsToDevice(std::int32_t units, double printScale);

// The screen zoom's starting denominator: 20000 div the screen's pixels per inch.
double startZoomDen(int screenPixelsPerInch);

// The zoom tool never goes beyond these ratios of ZoomDen / ZoomNum; a stored zoom outside
// a generous band around them is not trusted.
bool isUsableZoom(double zoomNum, double zoomDen);

}  // namespace vellamo::document
