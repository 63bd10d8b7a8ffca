#pragma once

// "Choose scanner..." and "Scan picture..." of the File menu: the scan runs on the scanner
// library's thread while the window stays usable; its progress moves the progress bar (WMUser),
// a Cancel button beside the bar or Esc stops it, and both menu items stay disabled until the
// finished scan arrives as a posted event, which runs WMUser2.

#include "app/scanner_selection.h"
#include "imaging/dib_record.h"
#include "scanning/scanner_library.h"

#include <QObject>
#include <functional>

class QAction;
class QShortcut;
class QToolButton;
class QWidget;

namespace vellamo::app {

struct ScanControllerParts {
    // Receives the scanner library's events; the Cancel button and Esc belong to it.
    QWidget* window = nullptr;
    document::Prompter* prompter = nullptr;
    ScannerChooser* chooser = nullptr;
    QAction* chooseScanner = nullptr;
    QAction* scanPicture = nullptr;
    // WM_USER: the progress bar's position.
    std::function<void(int)> progress;
    // The save flow of a scanned picture; the picture is released after it, whatever it did.
    std::function<void(imaging::DibRecord&)> savePicture;
};

class ScanController : public QObject {
    Q_OBJECT
public:
    ScanController(ScanControllerParts parts, QObject* parent = nullptr);
    ~ScanController() override;

    void Scannerauswhlen1Click();
    void Bildeinscanne1Click();
    // Stops a running scan; it ends without a picture and without a message.
    void cancel() { m_library.cancel(); }
    bool isScanning() const { return m_scanning; }
    // Cancels and waits for the scan's thread; nothing arrives afterwards. For shutdown.
    void shutdown();

    QToolButton* cancelButton() const { return m_cancelButton; }
    // The scanning options handed to the library; tests lower the resolution.
    scanning::ScanSettings settings;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WMUser2(const scanning::ScanHandle& handle);
    void setScanning(bool on);

    ScanControllerParts m_parts;
    scanning::ScannerLibrary m_library;
    QToolButton* m_cancelButton = nullptr;
    QShortcut* m_escape = nullptr;
    bool m_scanning = false;
};

}  // namespace vellamo::app
