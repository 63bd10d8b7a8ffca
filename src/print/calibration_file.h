#pragma once

// "options.dat" in the program folder: the four calibration values in millimetres as 32 bytes,
// little-endian 64-bit floats in the order left, top, width, height, without a header.

#include "print/sheet_layout.h"

#include <QByteArray>
#include <QString>

namespace vellamo::print {

inline constexpr const char* CalibrationFileName = "options.dat";
inline constexpr int CalibrationFileSize = 32;

// The ranges of the calibration dialog's millimetre fields.
inline constexpr double MinOffsetMm = 0;
inline constexpr double MaxOffsetMm = 10;
inline constexpr double MinLengthMm = 70;
inline constexpr double MaxLengthMm = 130;

// Values outside the fields' ranges pulled to the range's limit; one that is not a number
// becomes its first value (0, 0, 100, 100).
Calibration usableCalibration(const Calibration& calibration);

QByteArray calibrationToBytes(const Calibration& calibration);
// Bytes that are not exactly 32 give the first values.
Calibration calibrationFromBytes(const QByteArray& bytes);

// A missing, short or damaged file gives the first values.
Calibration readCalibrationFile(const QString& path);
// Replaces the file whole or not at all, under the program folder's lock and only when its bytes
// change; false when it cannot be written, with the reason in `error` when given.
bool writeCalibrationFile(const QString& path, const Calibration& calibration, QString* error = nullptr);

}  // namespace vellamo::print
