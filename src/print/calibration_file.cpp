#include "print/calibration_file.h"

#include "document/binary_io.h"
#include "document/shared_file.h"
#include "imaging/regular_file.h"
#include "imaging/safe_file_write.h"

#include <algorithm>
#include <cmath>

namespace vellamo::print {

namespace {

double within(double value, double low, double high, double otherwise)
{
    if (!std::isfinite(value))
        return std::isinf(value) ? (value < 0 ? low : high) : otherwise;
    return std::clamp(value, low, high);
}

}  // namespace

Calibration usableCalibration(const Calibration& c)
{
    const Calibration first;
    return {within(c.left, MinOffsetMm, MaxOffsetMm, first.left),
            within(c.top, MinOffsetMm, MaxOffsetMm, first.top),
            within(c.width, MinLengthMm, MaxLengthMm, first.width),
            within(c.height, MinLengthMm, MaxLengthMm, first.height)};
}

QByteArray calibrationToBytes(const Calibration& c)
{
    QByteArray bytes;
    document::appendDouble(bytes, c.left);
    document::appendDouble(bytes, c.top);
    document::appendDouble(bytes, c.width);
    document::appendDouble(bytes, c.height);
    return bytes;
}

Calibration calibrationFromBytes(const QByteArray& bytes)
{
    if (bytes.size() != CalibrationFileSize)
        return {};
    const char* b = bytes.constData();
    return usableCalibration({document::readDouble(b), document::readDouble(b + 8),
                              document::readDouble(b + 16), document::readDouble(b + 24)});
}

Calibration readCalibrationFile(const QString& path)
{
    // Anything but our 32-byte file, a FIFO or device included, gives the first values.
    const std::optional<QByteArray> bytes = imaging::readRegularFile(path, CalibrationFileSize);
    return bytes ? calibrationFromBytes(*bytes) : Calibration();
}

bool writeCalibrationFile(const QString& path, const Calibration& calibration, QString* error)
{
    const document::SharedWriteResult result =
        document::updateSharedFile(path, [&](const document::FileSnapshot&) {
            return std::optional<document::SharedFileChange>(
                document::SharedFileChange{calibrationToBytes(calibration)});
        });
    if (error)
        *error = result.error;
    return !result.failed();
}

}  // namespace vellamo::print
