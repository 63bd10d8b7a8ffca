#pragma once

// "Choose scanner..." and "Scan picture..." of the File menu: the scan runs on the scanner
// library's thread while the window stays usable; its progress moves the progress bar (WMUser),
// a Cancel button beside the bar or Esc stops it, and both menu items stay disabled until the
// finished scan arrives as a posted event, which runs WMUser2.

#include "app/scanner_selection.h"
#include "imaging/dib_record.h"
#include "print/picture_save.h"
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
    // Where the save dialog starts the first time.
    QString programFolder;
    // Asked before a JIF or JPG file is written.
    print::JpegQualityChooser* jpegQuality = nullptr;
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

    // WMUser2: saves the scanned picture through the save dialog (the filter entry's extension
    // for a name without one, the JPEG quality for the JPEG entries, a read-only file made
    // writable, "Error: File could not be saved!" on failure) and releases it in every case.
    void WMUser2(const scanning::ScanHandle& handle);

private:
    void setScanning(bool on);

    ScanControllerParts m_parts;
    scanning::ScannerLibrary m_library;
    QToolButton* m_cancelButton = nullptr;
    QShortcut* m_escape = nullptr;
    bool m_scanning = false;
    // The save dialog keeps its last file name and entry from one scan to the next.
    QString m_lastSaveName;
    int m_lastFilterIndex = 1;
};

}  // namespace vellamo::app
