#include "print/print_page.h"

#include "document/shared_file.h"
#include "imaging/dib_record.h"
#include "print/calibration_dialog.h"
#include "print/calibration_file.h"
#include "print/mail_merge.h"
#include "print/picture_export.h"
#include "print/picture_save.h"
#include "print/vector_export.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vellamo::print {

// The page's drawing surface inside the scrolling box; its size is set by the preview.
class PreviewSurface : public QWidget {
public:
    PreviewSurface(PrintPage& page, QWidget* parent) : QWidget(parent), m_page(page)
    {
        setObjectName(QStringLiteral("VPaint"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        m_page.paintPreview(painter, size());
    }

private:
    PrintPage& m_page;
};

void QtPrinterSetup::setupPrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, m_parent);
    // A set-up, not a print: no page range, no selection, and the button says so.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setWindowTitle(QStringLiteral("Printer setup"));
    for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    }
    dialog.exec();
}

void useDefaultPdfPage(QPrinter& printer)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString());
    printer.setResolution(600);
    const bool letter = QLocale::system().measurementSystem() != QLocale::MetricSystem;
    printer.setPageSize(QPageSize(letter ? QPageSize::Letter : QPageSize::A4));
    // A file has no unprintable edge: positions count from the paper's corner.
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

namespace {

QToolButton* flatButton(QWidget* parent, const char* name, const char* caption, const char* hint,
                        QStyle::StandardPixmap icon)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QString::fromLatin1(caption));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    if (hint) {
        button->setToolTip(QString::fromLatin1(hint));
        button->setStatusTip(QString::fromLatin1(hint));
    }
    return button;
}

QSpinBox* spinEdit(QWidget* parent, const char* name, int low, int high, int first, const char* hint)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(first);
    if (hint) {
        box->setToolTip(QString::fromLatin1(hint));
        box->setStatusTip(QString::fromLatin1(hint));
    }
    return box;
}

}  // namespace

PrintPage::PrintPage(document::CardDocument& doc, RenderContextSource context, document::Prompter& ask,
                     QString programFolder, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_context(std::move(context)), m_ask(ask),
      m_programFolder(std::move(programFolder)),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      m_qtSetup(std::make_unique<QtPrinterSetup>(this))
{
    m_setup = m_qtSetup.get();
    const QStringList queues = QPrinterInfo::availablePrinterNames();
    if (queues.isEmpty())
        useDefaultPdfPage(*m_printer);
    else if (m_printer->outputFormat() == QPrinter::NativeFormat && m_printer->printerName().isEmpty())
        m_printer->setPrinterName(queues.front());  // queues, but none is the default

    m_kalForm = new TKalForm([this] { printTestRectangle(); }, this);
    m_kalForm->setCalibration(
        readCalibrationFile(m_programFolder + QString::fromLatin1(CalibrationFileName)));

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto* tools = new QWidget(this);
    auto* toolLayout = new QHBoxLayout(tools);
    toolLayout->setContentsMargins(4, 2, 4, 2);
    PrintSetupBtn = flatButton(tools, "PrintSetupBtn", "Printer setup", "Setups the printer",
                               QStyle::SP_FileDialogDetailedView);
    PrintBtn =
        flatButton(tools, "PrintBtn", "Print", "Prints the Business Card", QStyle::SP_DialogApplyButton);
    FormatBtn = flatButton(tools, "FormatBtn", "Card format",
                           "Alternates the size of the cards or the spaces between and around the cards",
                           QStyle::SP_FileDialogListView);
    EMailBtn = flatButton(tools, "EMailBtn", "Email export", "Saves the Business Card as bitmap picture",
                          QStyle::SP_DriveNetIcon);
    KalBtn = flatButton(tools, "KalBtn", "Calibrate printer...",
                        "Use this for every new printer to get exact printouts!",
                        QStyle::SP_FileDialogContentsView);
    for (QToolButton* b : {PrintSetupBtn, PrintBtn, FormatBtn, EMailBtn, KalBtn})
        toolLayout->addWidget(b);
    toolLayout->addStretch(1);
    outer->addWidget(tools);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    outer->addLayout(body, 1);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("LeftPanel"));
    auto* panelLayout = new QVBoxLayout(panel);
    UsedED = spinEdit(panel, "UsedED", 0, MaxUsed, 0, "Enter number of already printed cards");
    KopiesED = spinEdit(panel, "KopiesED", MinCopies, MaxCopies, 10, "Select number of copies");
    PageEd = spinEdit(panel, "PageEd", 1, MaxPage, 1, nullptr);
    auto labelled = [panel, panelLayout](const char* caption, QWidget* field) {
        auto* label = new QLabel(QString::fromLatin1(caption), panel);
        label->setBuddy(field);
        panelLayout->addWidget(label);
        panelLayout->addWidget(field);
    };
    labelled("Already used:", UsedED);
    labelled("Copies:", KopiesED);
    auto* zoom = new QHBoxLayout;
    ZoominBtn =
        flatButton(panel, "ZoominBtn", "Increase", "Increases the size of the preview", QStyle::SP_ArrowUp);
    ZoomOutBtn =
        flatButton(panel, "ZoomOutBtn", "Reduce", "Reduces the size of the preview", QStyle::SP_ArrowDown);
    zoom->addWidget(ZoominBtn);
    zoom->addWidget(ZoomOutBtn);
    panelLayout->addLayout(zoom);
    labelled("Page showed:", PageEd);
    SchneidBtn = new QCheckBox(QStringLiteral("Cut lines"), panel);
    SchneidBtn->setObjectName(QStringLiteral("SchneidBtn"));
    // Check boxes take clicks on their box and caption only; keep them their own size.
    panelLayout->addWidget(SchneidBtn, 0, Qt::AlignLeft);
    MergeBtn = new QCheckBox(QStringLiteral("One card per address"), panel);
    MergeBtn->setObjectName(QStringLiteral("MergeBtn"));
    MergeBtn->setToolTip(QStringLiteral("Prints one card for every address of the address book"));
    MergeBtn->setStatusTip(MergeBtn->toolTip());
    MergeBtn->setEnabled(false);
    panelLayout->addWidget(MergeBtn, 0, Qt::AlignLeft);
    panelLayout->addStretch(1);
    body->addWidget(panel);

    PreviewBox = new QScrollArea(this);
    PreviewBox->setObjectName(QStringLiteral("PreviewBox"));
    PreviewBox->setBackgroundRole(QPalette::Dark);
    PreviewBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PreviewBox->setWidgetResizable(false);
    VPaint = new PreviewSurface(*this, PreviewBox);
    VPaint->resize(previewPage());
    PreviewBox->setWidget(VPaint);
    body->addWidget(PreviewBox, 1);

    connect(UsedED, &QSpinBox::valueChanged, this, &PrintPage::UsedEDChange);
    connect(KopiesED, &QSpinBox::valueChanged, this, &PrintPage::KopiesEDChange);
    connect(PageEd, &QSpinBox::valueChanged, this, &PrintPage::PageEdChange);
    connect(SchneidBtn, &QCheckBox::clicked, this, &PrintPage::SchneidBtnClick);
    connect(MergeBtn, &QCheckBox::toggled, this, &PrintPage::MergeBtnClick);
    connect(ZoominBtn, &QToolButton::clicked, this, &PrintPage::ZoominBtnClick);
    connect(ZoomOutBtn, &QToolButton::clicked, this, &PrintPage::ZoomOutBtnClick);
    connect(PrintSetupBtn, &QToolButton::clicked, this, &PrintPage::PrintSetupClick);
    connect(PrintBtn, &QToolButton::clicked, this, &PrintPage::PrintClick);
    connect(FormatBtn, &QToolButton::clicked, this, &PrintPage::cardFormatClicked);
    connect(EMailBtn, &QToolButton::clicked, this, &PrintPage::EMailBtnClick);
    connect(KalBtn, &QToolButton::clicked, this, &PrintPage::KalBtnClick);
}

PrintPage::~PrintPage() = default;

SheetValues PrintPage::values() const { return {UsedED->value(), KopiesED->value(), PageEd->value()}; }

void PrintPage::setAddressBook(addressbook::AddressBook* book)
{
    if (m_book)
        disconnect(m_book, nullptr, this, nullptr);
    m_book = book;
    MergeBtn->setEnabled(m_book != nullptr);
    if (!m_book) {
        MergeBtn->setChecked(false);
        return;
    }
    connect(m_book, &addressbook::AddressBook::listChanged, this, [this] {
        if (merging())
            showMergeCopies();
    });
    // The merged cards show every address's edits.
    connect(m_book, &addressbook::AddressBook::changed, this, [this] {
        if (merging())
            VPaintPaint();
    });
    if (merging())
        showMergeCopies();
}

bool PrintPage::merging() const { return m_book && MergeBtn->isChecked(); }

void PrintPage::showMergeCopies()
{
    // A book may hold more addresses, or none; the field shows what is printed.
    KopiesED->setRange(0, std::max(MaxCopies, m_book->count()));
    KopiesED->setValue(m_book->count());
    VPaintPaint();
}

void PrintPage::MergeBtnClick()
{
    if (merging()) {
        m_copiesBeforeMerge = KopiesED->value();
        KopiesED->setEnabled(false);
        showMergeCopies();
        return;
    }
    KopiesED->setRange(MinCopies, MaxCopies);
    KopiesED->setValue(m_copiesBeforeMerge);
    KopiesED->setEnabled(true);
    VPaintPaint();
}

void PrintPage::clampValues()
{
    const SheetValues clamped = clampedValues(values(), cardsPerSheet(m_doc.Format));
    // Each control's own change handler runs again, finds its value in range and repaints.
    if (clamped.used != UsedED->value())
        UsedED->setValue(clamped.used);
    if (clamped.page != PageEd->value())
        PageEd->setValue(clamped.page);
}

void PrintPage::VPaintPaint()
{
    clampValues();
    VPaint->update();
}

QSize PrintPage::previewPage() const
{
    const int dx = m_printer->logicalDpiX();
    const int dy = m_printer->logicalDpiY();
    const QSize printable = m_printer->pageLayout().paintRectPixels(m_printer->resolution()).size();
    return previewPageSize(printable, dx, dy, PreviewDpi);
}

bool PrintPage::paintPreview(QPainter& painter, QSize surface)
{
    if (m_doc.Rendering)
        return true;
    {
        // Painting itself must not schedule more painting.
        const QSignalBlocker blockUsed(UsedED);
        const QSignalBlocker blockPage(PageEd);
        const SheetValues clamped = clampedValues(values(), cardsPerSheet(m_doc.Format));
        UsedED->setValue(clamped.used);
        PageEd->setValue(clamped.page);
    }
    const QSize page = previewPage();
    if (surface != page) {
        if (VPaint->size() != page)
            VPaint->resize(page);
        return false;
    }
    painter.fillRect(QRect(QPoint(0, 0), page), Qt::white);

    const SheetValues shown = values();
    const QSize card = previewCardSize(m_doc.Format, PreviewDpi);
    if (card.isEmpty())
        return true;
    const std::vector<SheetPosition> positions = jobPositions(shown, m_doc.Format);
    // Only what the page can show of the card is rendered: a card far larger than the sheet
    // would otherwise need a picture of gigabytes at every repaint.
    const QRect part = previewShownPart(positions, shown.page - 1, m_doc.Format, PreviewDpi, page);
    QImage picture;
    if (!part.isEmpty() && qint64(part.width()) * part.height() <= imaging::MaxPicturePixels)
        picture = QImage(part.size(), QImage::Format_RGB32);
    const double scale = double(PreviewDpi) / document::UnitsPerInch;
    auto render = [&](const render::RenderContext& context) {
        if (picture.isNull())
            return;
        picture.fill(Qt::white);
        const document::RenderModeScope mode(m_doc, document::DeviceConversion, scale);
        QPainter cardPainter(&picture);
        // XOff = W + x puts the card's pixel (x, y) of the part on the picture's corner.
        render::DrawVCart(cardPainter, m_doc, context, card.width(), card.height(), card.width() + part.x(),
                          card.height() + part.y(), scale, false);
    };
    const bool merge = merging();
    const render::RenderContext base = m_context();
    std::vector<render::PlaceholderFields> addresses;
    if (merge)
        addresses = mergeAddressesAsShown(*m_book);
    else
        render(base);
    // Without merging one rendering is copied to every position of the page shown; merging,
    // each position shows its own address.
    for (const SheetPosition& position : positions) {
        if (position.sheet != shown.page - 1)
            continue;
        if (merge)
            render(mergeContext(base, addresses, shown.used, position));
        const QRect cell = previewCell(m_doc.Format, PreviewDpi, position.column, position.row);
        if (!picture.isNull())
            painter.drawImage(cell.topLeft() + part.topLeft(), picture);
        if (SchneidBtn->isChecked())
            drawCutLines(painter, cell);
    }
    return true;
}

void PrintPage::ZoominBtnClick()
{
    const int next = zoomedIn(PreviewDpi);
    if (next == PreviewDpi)
        return;
    PreviewDpi = next;
    VPaintPaint();
}

void PrintPage::ZoomOutBtnClick()
{
    const int next = zoomedOut(PreviewDpi);
    if (next == PreviewDpi)
        return;
    PreviewDpi = next;
    VPaintPaint();
}

void PrintPage::UsedEDChange() { VPaintPaint(); }

void PrintPage::KopiesEDChange() { VPaintPaint(); }

void PrintPage::PageEdChange() { VPaintPaint(); }

void PrintPage::SchneidBtnClick() { VPaintPaint(); }

bool PrintPage::chooseOutput(QString& askedFile)
{
    askedFile.clear();
    if (m_printer->outputFormat() != QPrinter::PdfFormat || !m_printer->outputFileName().isEmpty())
        return true;
    document::FileRequest request;
    request.filter = PdfFileFilter;
    request.defaultSuffix = QStringLiteral("pdf");
    request.folder = m_programFolder;
    request.confirmOverwrite = true;
    const std::optional<QString> name = m_ask.chooseFileToSave(request);
    if (!name || name->isEmpty())
        return false;
    askedFile = *name;
    m_printer->setOutputFileName(askedFile);
    return true;
}

void PrintPage::report(const PrintJobResult& result)
{
    if (!result.printed)
        m_ask.inform(document::DefaultCaption, result.error, document::MessageIcon::Error);
}

void PrintPage::PrintClick()
{
    clampValues();
    if (merging() && m_book->count() == 0) {
        m_ask.inform(document::DefaultCaption, NoAddressToMerge, document::MessageIcon::Information);
        return;
    }
    QString askedFile;
    if (!chooseOutput(askedFile))
        return;
    PrintJobSettings settings;
    settings.values = values();
    settings.cutLines = SchneidBtn->isChecked();
    settings.calibration = m_kalForm->calibration();
    const PrintJobResult result =
        merging()
            ? printMerge(*m_printer, m_doc, settings, m_context(), mergeAddresses(*m_book), m_ask)
            : printCards(
                  *m_printer, m_doc, settings, [this](const SheetPosition&) { return m_context(); }, m_ask);
    // A file asked for this job is not kept for the next one.
    if (!askedFile.isEmpty())
        m_printer->setOutputFileName(QString());
    report(result);
    emit printed();
    VPaintPaint();
}

void PrintPage::printTestRectangle()
{
    QString askedFile;
    if (!chooseOutput(askedFile))
        return;
    const PrintJobResult result = print::printTestRectangle(*m_printer);
    if (!askedFile.isEmpty())
        m_printer->setOutputFileName(QString());
    report(result);
}

void PrintPage::PrintSetupClick()
{
    m_setup->setupPrinter(*m_printer);
    VPaintPaint();
}

void PrintPage::KalBtnClick()
{
    m_kalForm->exec();
    const QString path = m_programFolder + QString::fromLatin1(CalibrationFileName);
    QString error;
    if (!writeCalibrationFile(path, m_kalForm->calibration(), &error))
        m_ask.inform(document::DefaultCaption, document::fileNotSavedMessage(path, error),
                     document::MessageIcon::Error);
}

void PrintPage::EMailBtnClick()
{
    imaging::DibRecord picture;
    if (!renderCardPicture(m_doc, m_context(), picture)) {
        m_ask.inform(QString(), FileCouldNotBeSaved, document::MessageIcon::Information);
        return;
    }
    PictureSaveRequest request;
    request.caption = EmailExportCaption;
    request.folder = m_exportName.isEmpty() ? m_programFolder : m_exportName;
    request.filterIndex = m_exportFilter;
    request.confirmOverwrite = true;
    request.moreFilter = VectorExportFilter;
    request.writeMore = [this](const QString& fileName, int filterIndex) {
        return exportCardVector(m_doc, m_context(), fileName, vectorTypeForFilterIndex(filterIndex));
    };
    const PictureSaveResult result = savePictureAs(picture, request, m_ask, m_progress);
    imaging::deldib(picture);
    m_exportFilter = result.filterIndex;
    if (!result.fileName.isEmpty())
        m_exportName = result.fileName;
    if (m_progress)
        m_progress(0);
}

}  // namespace vellamo::print
