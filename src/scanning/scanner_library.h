#pragma once

// The scanner library the program talks to: it starts a scan on a worker thread and reports
// back to an owner object with posted events, so the user interface stays responsive. Progress
// arrives as ScanProgressEvent (the role of WM_USER), the end of the scan as ScanFinishedEvent
// (WM_USER + 1), whose handle GetScanedDib turns into the picture.

#include "scanning/sane_scanner.h"

#include <QEvent>
#include <QObject>
#include <atomic>
#include <memory>
#include <thread>

namespace vellamo::scanning {

using ScanHandle = std::shared_ptr<ScanResult>;

class ScanProgressEvent : public QEvent {
public:
    explicit ScanProgressEvent(int percent) : QEvent(eventType()), m_percent(percent) {}
    static QEvent::Type eventType();
    int percent() const { return m_percent; }

private:
    int m_percent;
};

// Posted once per scan, also when it was cancelled or failed.
class ScanFinishedEvent : public QEvent {
public:
    explicit ScanFinishedEvent(ScanHandle handle) : QEvent(eventType()), m_handle(std::move(handle)) {}
    static QEvent::Type eventType();
    const ScanHandle& handle() const { return m_handle; }
    ScanStatus status() const { return m_handle ? m_handle->status : ScanStatus::Failed; }
    // For a failed scan: the device and SANE's status text.
    QString message() const { return m_handle ? m_handle->message : QString(); }

private:
    ScanHandle m_handle;
};

// The scanned picture, which then belongs to the caller; a second call, or a handle of a scan
// that was cancelled or failed, gives a record that is not loaded.
imaging::DibRecord GetScanedDib(const ScanHandle& handle);

class ScannerLibrary {
public:
    ScannerLibrary() = default;
    // Cancels a running scan and waits for its thread; nothing is posted afterwards.
    ~ScannerLibrary();
    ScannerLibrary(const ScannerLibrary&) = delete;
    ScannerLibrary& operator=(const ScannerLibrary&) = delete;

    // Starts a scan with `device` and returns at once; `owner` (which must outlive the scan or
    // this library) receives the events. False when a scan is running already.
    bool TWAIN_ScanImage(QObject* owner, const QString& device, const ScanSettings& settings = {});
    // Asks the running scan to stop; it ends with a Cancelled finish and no picture.
    void cancel();
    // True from the start until the finish event has been posted.
    bool isScanning() const { return m_running.load(); }
    // Blocks until the worker thread has ended.
    void wait();

private:
    std::thread m_thread;
    std::atomic<bool> m_running = false;
    std::atomic<bool> m_cancel = false;
};

}  // namespace vellamo::scanning
