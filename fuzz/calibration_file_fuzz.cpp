// "options.dat": any bytes give calibration values the dialog can show, and those values are
// written and read back unchanged.

#include "fuzz_support.h"
#include "print/calibration_file.h"

#include <cmath>

using namespace vellamo;

namespace {

bool within(double value, double low, double high)
{
    return std::isfinite(value) && value >= low && value <= high;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const print::Calibration c = print::calibrationFromBytes(fuzzing::inputBytes(data, size));
    fuzzing::check(within(c.left, print::MinOffsetMm, print::MaxOffsetMm) &&
                       within(c.top, print::MinOffsetMm, print::MaxOffsetMm),
                   "offsets within the dialog's range");
    fuzzing::check(within(c.width, print::MinLengthMm, print::MaxLengthMm) &&
                       within(c.height, print::MinLengthMm, print::MaxLengthMm),
                   "lengths within the dialog's range");
    const QByteArray written = print::calibrationToBytes(c);
    fuzzing::check(written.size() == print::CalibrationFileSize, "the file's size");
    fuzzing::check(print::calibrationToBytes(print::calibrationFromBytes(written)) == written,
                   "values read back as written");
    return 0;
}
