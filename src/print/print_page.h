#pragma once

// The Print page: the sheet preview with its three values, zoom and cut lines, and the tool
// bar that sets up the printer, prints, opens the card format, exports the card as a picture
// and calibrates the printer. The placement rules live in sheet_layout.h; this page shows them.

#include "addressbook/address_book.h"
#include "document/card_document.h"
#include "document/prompter.h"
#include "imaging/progress.h"
#include "print/print_job.h"
#include "print/sheet_layout.h"
#include "render/card_renderer.h"

#include <QPrinter>
#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace vellamo::print {

class TKalForm;

// The printer set-up dialog as the page sees it: it changes the printer or leaves it.
class PrinterSetup {
public:
    virtual ~PrinterSetup() = default;
    virtual void setupPrinter(QPrinter& printer) = 0;
};

// Qt's printer dialog: the CUPS queues, paper, orientation and printing into a PDF file.
class QtPrinterSetup : public PrinterSetup {
public:
    explicit QtPrinterSetup(QWidget* parent) : m_parent(parent) {}
    void setupPrinter(QPrinter& printer) override;

private:
    QWidget* m_parent;
};

inline const QString EmailExportCaption = QStringLiteral("Save Business Card as attachment for an Email");
inline const QString PdfFileFilter = QStringLiteral("PDF files (*.pdf)|*.pdf");

// Where a printer without a queue prints: a PDF page of the locale's paper at 600 dpi, without
// margins.
void useDefaultPdfPage(QPrinter& printer);

class PrintPage : public QWidget {
    Q_OBJECT
public:
    using RenderContextSource = std::function<render::RenderContext()>;
    PrintPage(document::CardDocument& doc, RenderContextSource context, document::Prompter& ask,
              QString programFolder, QWidget* parent = nullptr);
    ~PrintPage() override;

    // Tests set up the printer with a script; null gives Qt's dialog.
    void setPrinterSetup(PrinterSetup* setup) { m_setup = setup; }
    void setProgress(imaging::ProgressCallback progress) { m_progress = std::move(progress); }
    // The book that "One card per address" merges; the page follows its changes.
    void setAddressBook(addressbook::AddressBook* book);
    bool merging() const;

    QPrinter& printer() { return *m_printer; }
    TKalForm* calibrationDialog() const { return m_kalForm; }
    SheetValues values() const;
    int PreviewDpi = StartPreviewDpi;

    // Repaints the preview (the clamps run first).
    void VPaintPaint();
    // Paints the preview page onto `painter`, which shows the surface of size `surface`. False
    // when the surface must first take the page's size (it is then resized and repainted).
    bool paintPreview(QPainter& painter, QSize surface);
    // The page in preview pixels for the current printer.
    QSize previewPage() const;

    void ZoominBtnClick();
    void ZoomOutBtnClick();
    void UsedEDChange();
    void KopiesEDChange();
    void PageEdChange();
    void SchneidBtnClick();
    // "One card per address": the copies field shows the number of addresses and is locked.
    void MergeBtnClick();
    void PrintClick();
    void PrintSetupClick();
    // Shows the calibration dialog, then writes "options.dat"; a failed write is reported.
    void KalBtnClick();
    void EMailBtnClick();
    void printTestRectangle();

    QSpinBox* UsedED = nullptr;
    QSpinBox* KopiesED = nullptr;
    QSpinBox* PageEd = nullptr;
    QCheckBox* SchneidBtn = nullptr;
    QCheckBox* MergeBtn = nullptr;
    QToolButton* ZoominBtn = nullptr;
    QToolButton* ZoomOutBtn = nullptr;
    QToolButton* PrintSetupBtn = nullptr;
    QToolButton* PrintBtn = nullptr;
    QToolButton* FormatBtn = nullptr;
    QToolButton* EMailBtn = nullptr;
    QToolButton* KalBtn = nullptr;
    QScrollArea* PreviewBox = nullptr;
    QWidget* VPaint = nullptr;

signals:
    void cardFormatClicked();
    // A job ended: the editor repaints too.
    void printed();

private:
    // Clamps "Already used:" and "Page showed:" in the controls.
    void clampValues();
    // A queue, a PDF file the set-up named, or a PDF file asked for now; false when cancelled.
    bool chooseOutput(QString& askedFile);
    void report(const PrintJobResult& result);
    // Puts the number of addresses into the copies field while merging.
    void showMergeCopies();

    document::CardDocument& m_doc;
    RenderContextSource m_context;
    document::Prompter& m_ask;
    QString m_programFolder;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QtPrinterSetup> m_qtSetup;
    PrinterSetup* m_setup = nullptr;
    TKalForm* m_kalForm = nullptr;
    addressbook::AddressBook* m_book = nullptr;
    // The copies the user had before merging, back when the box is cleared.
    int m_copiesBeforeMerge = 10;
    imaging::ProgressCallback m_progress;
    // The export's save dialog keeps its last name and entry, as one dialog would.
    QString m_exportName;
    int m_exportFilter = 1;
};

}  // namespace vellamo::print
