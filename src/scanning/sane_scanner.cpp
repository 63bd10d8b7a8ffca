#include "scanning/sane_scanner.h"

#include "scanning/frame_assembler.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <QByteArray>
#include <chrono>
#include <cmath>
#include <cstring>
#include <mutex>
#include <thread>

namespace vellamo::scanning {

namespace {

// sane_init and sane_exit bracket every use; users on different threads share one start-up.
class SaneLibrary {
public:
    SaneLibrary()
    {
        std::lock_guard lock(mutex());
        if (users() == 0) {
            SANE_Int version = 0;
            m_status = sane_init(&version, nullptr);
            if (m_status != SANE_STATUS_GOOD)
                return;
        }
        ++users();
        m_ready = true;
    }
    ~SaneLibrary()
    {
        if (!m_ready)
            return;
        std::lock_guard lock(mutex());
        if (--users() == 0)
            sane_exit();
    }
    SaneLibrary(const SaneLibrary&) = delete;
    SaneLibrary& operator=(const SaneLibrary&) = delete;

    bool ready() const { return m_ready; }
    SANE_Status status() const { return m_status; }

private:
    static std::mutex& mutex()
    {
        static std::mutex m;
        return m;
    }
    static int& users()
    {
        static int n = 0;
        return n;
    }
    bool m_ready = false;
    SANE_Status m_status = SANE_STATUS_GOOD;
};

QString statusText(SANE_Status status) { return QString::fromLocal8Bit(sane_strstatus(status)); }

QString deviceError(const QString& device, const QString& what)
{
    return QStringLiteral("The scanner \"%1\" reported an error: %2.").arg(device, what);
}

FrameFormat frameFormat(SANE_Frame frame)
{
    switch (frame) {
    case SANE_FRAME_RGB:
        return FrameFormat::Rgb;
    case SANE_FRAME_RED:
        return FrameFormat::Red;
    case SANE_FRAME_GREEN:
        return FrameFormat::Green;
    case SANE_FRAME_BLUE:
        return FrameFormat::Blue;
    default:
        return FrameFormat::Gray;
    }
}

// The open device; closed (after a cancel that ends any scan) when it goes.
class OpenDevice {
public:
    explicit OpenDevice(SANE_Handle handle) : m_handle(handle) {}
    ~OpenDevice()
    {
        sane_cancel(m_handle);
        sane_close(m_handle);
    }
    OpenDevice(const OpenDevice&) = delete;
    OpenDevice& operator=(const OpenDevice&) = delete;
    SANE_Handle handle() const { return m_handle; }

    // The option's number and description when the device has it active; 0 otherwise.
    SANE_Int find(const char* name, const SANE_Option_Descriptor** found) const
    {
        for (SANE_Int i = 1;; ++i) {
            const SANE_Option_Descriptor* d = sane_get_option_descriptor(m_handle, i);
            if (!d)
                return 0;
            if (d->name && std::strcmp(d->name, name) == 0 && SANE_OPTION_IS_ACTIVE(d->cap)) {
                *found = d;
                return i;
            }
        }
    }

private:
    SANE_Handle m_handle;
};

const char* modeName(ScanColour colour)
{
    switch (colour) {
    case ScanColour::Grey:
        return SANE_VALUE_SCAN_MODE_GRAY;
    case ScanColour::LineArt:
        return SANE_VALUE_SCAN_MODE_LINEART;
    default:
        return SANE_VALUE_SCAN_MODE_COLOR;
    }
}

// Backends spell their modes in their own ways ("Color", "Colour", "24bit Color").
const char* matchingMode(const SANE_Option_Descriptor* d, ScanColour colour)
{
    if (d->constraint_type != SANE_CONSTRAINT_STRING_LIST)
        return nullptr;
    const QString wanted = QString::fromLatin1(modeName(colour));
    const QString alternative = colour == ScanColour::Colour ? QStringLiteral("colour")
                                : colour == ScanColour::Grey ? QStringLiteral("grey")
                                                             : QStringLiteral("binary");
    for (const SANE_String_Const* s = d->constraint.string_list; *s; ++s) {
        if (wanted.compare(QString::fromLatin1(*s), Qt::CaseInsensitive) == 0)
            return *s;
    }
    for (const SANE_String_Const* s = d->constraint.string_list; *s; ++s) {
        const QString mode = QString::fromLatin1(*s);
        if (mode.contains(wanted, Qt::CaseInsensitive) || mode.contains(alternative, Qt::CaseInsensitive))
            return *s;
    }
    return nullptr;
}

// The allowed resolution nearest to `wanted`, in the option's own type.
SANE_Word nearestResolution(const SANE_Option_Descriptor* d, int wanted)
{
    const bool fixed = d->type == SANE_TYPE_FIXED;
    const auto toDpi = [fixed](SANE_Word w) { return fixed ? SANE_UNFIX(w) : double(w); };
    const auto fromDpi = [fixed](double dpi) { return fixed ? SANE_FIX(dpi) : SANE_Word(std::lround(dpi)); };
    if (d->constraint_type == SANE_CONSTRAINT_RANGE) {
        const SANE_Range* r = d->constraint.range;
        SANE_Word w = std::clamp(fromDpi(wanted), r->min, r->max);
        if (r->quant > 0)
            w = r->min + (w - r->min) / r->quant * r->quant;
        return w;
    }
    if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list[0] > 0) {
        const SANE_Word* list = d->constraint.word_list;
        SANE_Word best = list[1];
        for (SANE_Word i = 1; i <= list[0]; ++i) {
            if (std::abs(toDpi(list[i]) - wanted) < std::abs(toDpi(best) - wanted))
                best = list[i];
        }
        return best;
    }
    return fromDpi(wanted);
}

// Sets mode and resolution where the device lets them be chosen; an empty text means done.
QString configure(const OpenDevice& dev, const ScanSettings& settings)
{
    const SANE_Option_Descriptor* d = nullptr;
    if (SANE_Int i = dev.find(SANE_NAME_SCAN_MODE, &d); i && SANE_OPTION_IS_SETTABLE(d->cap)) {
        if (const char* mode = matchingMode(d, settings.colour)) {
            QByteArray value(std::max<int>(d->size, int(std::strlen(mode)) + 1), '\0');
            std::memcpy(value.data(), mode, std::strlen(mode));
            const SANE_Status status =
                sane_control_option(dev.handle(), i, SANE_ACTION_SET_VALUE, value.data(), nullptr);
            if (status != SANE_STATUS_GOOD)
                return QStringLiteral("the mode \"%1\" was refused (%2)")
                    .arg(QString::fromLatin1(mode), statusText(status));
        }
    }
    d = nullptr;
    if (SANE_Int i = dev.find(SANE_NAME_SCAN_RESOLUTION, &d);
        i && SANE_OPTION_IS_SETTABLE(d->cap) && (d->type == SANE_TYPE_INT || d->type == SANE_TYPE_FIXED) &&
        d->size == sizeof(SANE_Word)) {
        SANE_Word value = nearestResolution(d, settings.resolution);
        const SANE_Status status =
            sane_control_option(dev.handle(), i, SANE_ACTION_SET_VALUE, &value, nullptr);
        if (status != SANE_STATUS_GOOD)
            return QStringLiteral("the resolution was refused (%1)").arg(statusText(status));
    }
    return {};
}

}  // namespace

DeviceList listScanners()
{
    DeviceList result;
    SaneLibrary sane;
    if (!sane.ready()) {
        result.error = QStringLiteral("The scanner interface SANE could not be started: %1.")
                           .arg(statusText(sane.status()));
        return result;
    }
    const SANE_Device** devices = nullptr;
    const SANE_Status status = sane_get_devices(&devices, SANE_FALSE);
    if (status != SANE_STATUS_GOOD) {
        result.error = QStringLiteral("The scanners could not be listed: %1.").arg(statusText(status));
        return result;
    }
    for (; devices && *devices; ++devices) {
        const SANE_Device* d = *devices;
        const auto text = [](const char* s) { return s ? QString::fromLocal8Bit(s) : QString(); };
        result.devices.push_back({text(d->name), text(d->vendor), text(d->model), text(d->type)});
    }
    return result;
}

ScanResult scanPicture(const QString& device, const ScanSettings& settings,
                       const imaging::ProgressCallback& progress, const std::atomic<bool>* cancel)
{
    ScanResult result;
    const auto failed = [&](const QString& what) {
        result.status = ScanStatus::Failed;
        result.message = deviceError(device, what);
        return std::move(result);
    };
    const auto cancelled = [&] {
        result.status = ScanStatus::Cancelled;
        return std::move(result);
    };
    const auto cancelRequested = [cancel] { return cancel && cancel->load(std::memory_order_relaxed); };

    SaneLibrary sane;
    if (!sane.ready())
        return failed(QStringLiteral("SANE could not be started (%1)").arg(statusText(sane.status())));
    SANE_Handle handle = nullptr;
    const QByteArray name = device.toLocal8Bit();
    if (SANE_Status status = sane_open(name.constData(), &handle); status != SANE_STATUS_GOOD)
        return failed(statusText(status));
    OpenDevice dev(handle);
    if (QString refused = configure(dev, settings); !refused.isEmpty())
        return failed(refused);

    FrameAssembler frames;
    std::vector<SANE_Byte> buffer(256 * 1024);
    std::int64_t received = 0;
    int reported = -1;
    imaging::report(progress, 0);
    for (;;) {
        if (cancelRequested())
            return cancelled();
        if (SANE_Status status = sane_start(handle); status != SANE_STATUS_GOOD) {
            if (status == SANE_STATUS_CANCELLED)
                return cancelled();
            return failed(statusText(status));
        }
        SANE_Parameters p;
        if (SANE_Status status = sane_get_parameters(handle, &p); status != SANE_STATUS_GOOD)
            return failed(statusText(status));
        if (!frames.beginFrame({frameFormat(p.format), p.last_frame == SANE_TRUE, p.bytes_per_line,
                                p.pixels_per_line, p.lines, p.depth}))
            return failed(frames.error());
        for (;;) {
            if (cancelRequested())
                return cancelled();
            SANE_Int length = 0;
            const SANE_Status status = sane_read(handle, buffer.data(), SANE_Int(buffer.size()), &length);
            if (status == SANE_STATUS_EOF)
                break;
            if (status == SANE_STATUS_CANCELLED)
                return cancelled();
            if (status != SANE_STATUS_GOOD) {
                // A backend's reader thread that is still starting can be cancelled inside the C
                // library and never end; a moment's wait lets it reach a safe point first.
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                return failed(statusText(status));
            }
            length = std::clamp<SANE_Int>(length, 0, SANE_Int(buffer.size()));
            frames.addBytes(buffer.data(), std::size_t(length));
            received += length;
            if (const std::int64_t total = frames.expectedBytes(); total > 0) {
                const int percent = int(std::min<std::int64_t>(received * 100 / total, 100));
                if (percent != reported) {
                    reported = percent;
                    imaging::report(progress, percent);
                }
            }
        }
        frames.endFrame();
        if (p.last_frame)
            break;
    }
    if (received == 0)
        return failed(QStringLiteral("the scanner sent no picture"));
    result.picture = frames.takePicture();
    if (!result.picture.isLoaded())
        return failed(QStringLiteral("the scanner sent no picture"));
    imaging::report(progress, 100);
    result.status = ScanStatus::Scanned;
    return result;
}

}  // namespace vellamo::scanning
