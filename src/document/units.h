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

// The zoom tool divides or multiplies ZoomDen by ZoomStep while it lies above ZoomInLimit
// (zooming in) or below ZoomOutLimit (zooming out), so it never leaves
// ZoomInLimit / ZoomStep .. ZoomOutLimit x ZoomStep units per pixel.
inline constexpr double ZoomStep = 1.5;
inline constexpr double ZoomInLimit = 50.0;
inline constexpr double ZoomOutLimit = 1000.0;
inline constexpr double FinestZoomUnitsPerPixel = ZoomInLimit / ZoomStep;
inline constexpr double CoarsestZoomUnitsPerPixel = ZoomOutLimit * ZoomStep;

// A stored zoom made one the zoom tool could have reached: one beyond either end becomes
// ZoomNum 1 and that end. False, with nothing changed, for a zoom that is no ratio at all
// (NaN, infinite, zero or negative parts).
bool bringZoomIntoToolRange(double& zoomNum, double& zoomDen);

}  // namespace vellamo::document
