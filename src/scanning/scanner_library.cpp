#include "scanning/scanner_library.h"

#include <QCoreApplication>

namespace vellamo::scanning {

QEvent::Type ScanProgressEvent::eventType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

QEvent::Type ScanFinishedEvent::eventType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

imaging::DibRecord GetScanedDib(const ScanHandle& handle)
{
    if (!handle || handle->status != ScanStatus::Scanned)
        return {};
    imaging::DibRecord picture = std::move(handle->picture);
    handle->picture.clear();
    return picture;
}

ScannerLibrary::~ScannerLibrary()
{
    cancel();
    wait();
}

bool ScannerLibrary::TWAIN_ScanImage(QObject* owner, const QString& device, const ScanSettings& settings)
{
    if (m_running.exchange(true))
        return false;
    wait();  // the thread of an earlier scan that has posted its finish
    m_cancel = false;
    m_thread = std::thread([this, owner, device, settings] {
        const auto progress = [owner](int percent) {
            QCoreApplication::postEvent(owner, new ScanProgressEvent(percent));
        };
        auto result = std::make_shared<ScanResult>(scanPicture(device, settings, progress, &m_cancel));
        if (m_cancel.load()) {
            result->status = ScanStatus::Cancelled;
            result->picture.clear();
            result->message.clear();
        }
        m_running = false;
        QCoreApplication::postEvent(owner, new ScanFinishedEvent(std::move(result)));
    });
    return true;
}

void ScannerLibrary::cancel() { m_cancel = true; }

void ScannerLibrary::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

}  // namespace vellamo::scanning
