#include "app/scan_controller.h"

#include "app/settings.h"

#include <QAction>
#include <QShortcut>
#include <QToolButton>
#include <QWidget>

namespace vellamo::app {

ScanController::ScanController(ScanControllerParts parts, QObject* parent)
    : QObject(parent), m_parts(std::move(parts))
{
    m_cancelButton = new QToolButton(m_parts.window);
    m_cancelButton->setText(QStringLiteral("Cancel"));
    m_cancelButton->setToolTip(QStringLiteral("Stops the scan (Esc)"));
    m_cancelButton->setVisible(false);
    connect(m_cancelButton, &QToolButton::clicked, this, &ScanController::cancel);
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_parts.window);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, &ScanController::cancel);
    if (m_parts.chooseScanner)
        connect(m_parts.chooseScanner, &QAction::triggered, this, &ScanController::Scannerauswhlen1Click);
    if (m_parts.scanPicture)
        connect(m_parts.scanPicture, &QAction::triggered, this, &ScanController::Bildeinscanne1Click);
    m_parts.window->installEventFilter(this);
}

ScanController::~ScanController() { shutdown(); }

void ScanController::shutdown()
{
    m_library.cancel();
    m_library.wait();
}

void ScanController::Scannerauswhlen1Click()
{
    if (!m_scanning)
        TWAIN_SelectScanner(*m_parts.chooser, *m_parts.prompter);
}

void ScanController::Bildeinscanne1Click()
{
    if (m_scanning)
        return;
    const scanning::DeviceList list = scanning::listScanners();
    std::optional<QString> device;
    if (list.error.isEmpty())
        device = scannerWithoutAsking(list.devices, savedScannerName());
    if (!device)
        device = TWAIN_SelectScanner(list, *m_parts.chooser, *m_parts.prompter);
    if (!device)
        return;
    if (m_library.TWAIN_ScanImage(m_parts.window, *device, settings))
        setScanning(true);
}

void ScanController::setScanning(bool on)
{
    m_scanning = on;
    for (QAction* item : {m_parts.chooseScanner, m_parts.scanPicture}) {
        if (item)
            item->setEnabled(!on);
    }
    m_cancelButton->setVisible(on);
    m_escape->setEnabled(on);
}

bool ScanController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_parts.window && event->type() == scanning::ScanProgressEvent::eventType()) {
        if (m_parts.progress)
            m_parts.progress(static_cast<scanning::ScanProgressEvent*>(event)->percent());
        return true;
    }
    if (watched == m_parts.window && event->type() == scanning::ScanFinishedEvent::eventType()) {
        const auto* finished = static_cast<scanning::ScanFinishedEvent*>(event);
        setScanning(false);
        if (m_parts.progress)
            m_parts.progress(0);
        if (finished->status() == scanning::ScanStatus::Failed)
            m_parts.prompter->inform(QString(), finished->message(), document::MessageIcon::Error);
        else
            WMUser2(finished->handle());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ScanController::WMUser2(const scanning::ScanHandle& handle)
{
    imaging::DibRecord picture = scanning::GetScanedDib(handle);
    if (!picture.isLoaded())
        return;
    print::PictureSaveRequest request;
    request.folder = m_lastSaveName.isEmpty() ? m_parts.programFolder : m_lastSaveName;
    request.filterIndex = m_lastFilterIndex;
    // Replacing an existing file is asked first: a scan saved under a taken name must not
    // silently destroy the picture there.
    request.confirmOverwrite = true;
    request.jpegQuality = m_parts.jpegQuality;
    request.makeWritable = true;
    const print::PictureSaveResult saved =
        print::savePictureAs(picture, request, *m_parts.prompter, m_parts.progress);
    if (!saved.fileName.isEmpty()) {
        m_lastSaveName = saved.fileName;
        m_lastFilterIndex = saved.filterIndex;
    }
    if (m_parts.progress)
        m_parts.progress(0);
    imaging::deldib(picture);
}

}  // namespace vellamo::app
