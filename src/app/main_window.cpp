#include "app/main_window.h"

#include "addressbook/address_page.h"
#include "app/background_dialog.h"
#include "app/card_format_dialogs.h"
#include "app/info_box.h"
#include "app/picture_open_dialog.h"
#include "app/qt_prompter.h"
#include "app/settings.h"
#include "document/card_format.h"
#include "editor/editor_page.h"
#include "editor/effects_dialog.h"
#include "editor/standard_dialogs.h"
#include "editor/text_dialog.h"
#include "editor/transparency_dialog.h"
#include "print/jpeg_quality_dialog.h"
#include "print/print_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>

namespace vellamo::app {

namespace {

int screenPixelsPerInch()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchX()) : 96;
}

}  // namespace

TSDIAppForm::TSDIAppForm(QString programFolder, ShellDialogs dialogs, QWidget* parent)
    : QMainWindow(parent), m_programFolder(std::move(programFolder)), m_doc(screenPixelsPerInch())
{
    setWindowTitle(QString::fromLatin1(document::ProductName));
    setWindowIcon(programIcon());
    resize(632, 560);

    if (dialogs.prompter) {
        m_prompter = dialogs.prompter;
    } else {
        m_ownPrompter = std::make_unique<QtPrompter>(this);
        m_prompter = m_ownPrompter.get();
    }

    // The dialogs, created once in the program's order and reused. The picture open dialog is
    // made before the background dialog, which uses it.
    const auto progress = [this](int p) { WMUser(p); };
    m_pictures = std::make_unique<render::ProgramFolderPictures>(m_programFolder, progress);
    m_colors = std::make_unique<editor::QtColorChooser>(this);
    m_fonts = std::make_unique<editor::QtFontChooser>(this);
    m_formatEditDialog = new TNewETypForm(this);
    m_formatEditor = dialogs.formatEditor ? dialogs.formatEditor : m_formatEditDialog;
    m_formatListDialog =
        new TneuForm(m_programFolder + document::CardFormatListFileName, *m_formatEditor, *m_prompter, this);
    m_formatList = dialogs.formatList ? dialogs.formatList : m_formatListDialog;
    m_pictureOpenDialog = new TBMPOpenForm(m_programFolder, progress, this);
    m_backgroundDialog = new Tbkgndform(
        m_doc, *m_pictureOpenDialog, m_programFolder, *m_prompter, progress,
        [this] { m_editorPage->PaintBox1Paint(); }, this);
    m_effectsDialog = new editor::TEffektForm(*m_colors, this);
    m_transparencyDialog = new editor::TTransForm(*m_colors, this);
    m_textDialog = new editor::TTxtForm(this);
    m_infoBox = new InfoBox(this);
    m_jpegQualityDialog = new print::TJPEGQForm(this);
    const JpegQualitySetting jpeg = savedJpegQuality();
    m_jpegQualityDialog->setValues({jpeg.slider, jpeg.number});
    connect(m_jpegQualityDialog, &QDialog::finished, this, [this] {
        const print::TJPEGQForm::Values values = m_jpegQualityDialog->values();
        saveJpegQuality({values.slider, values.number});
    });

    m_pages = new QTabWidget(this);
    m_addressesPage = new addressbook::AddressesPage(m_pages);
    m_pages->addTab(m_addressesPage, QStringLiteral("Addresses"));
    m_pages->addTab(new QWidget(m_pages), QStringLiteral("Template assistant"));
    m_editorPage = new editor::EditorPage(
        m_doc, [this] { return renderContext(); }, *m_prompter, m_pages);
    m_editorPage->setPictureLoading(m_programFolder, screenPixelsPerInch(), progress);
    m_editorPage->setDialogs({m_colors.get(), m_fonts.get(), m_textDialog, m_effectsDialog,
                              m_transparencyDialog, m_pictureOpenDialog});
    m_pages->addTab(m_editorPage, QStringLiteral("Editor"));
    m_printPage = new print::PrintPage(
        m_doc, [this] { return renderContext(); }, *m_prompter, m_programFolder, m_pages);
    m_printPage->setProgress(progress);
    if (dialogs.printerSetup)
        m_printPage->setPrinterSetup(dialogs.printerSetup);
    m_printPage->SchneidBtn->setChecked(savedCutLines());
    connect(m_printPage->SchneidBtn, &QCheckBox::toggled, this, [](bool on) { saveCutLines(on); });
    connect(m_printPage, &print::PrintPage::cardFormatClicked, this, &TSDIAppForm::Etikettenformat1Click);
    connect(m_printPage, &print::PrintPage::printed, this, [this] { m_editorPage->PaintBox1Paint(); });
    m_pages->addTab(m_printPage, QStringLiteral("Print"));
    m_pages->setCurrentIndex(0);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pages, 1);
    auto* bottom = new QWidget(central);
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(4, 2, 4, 2);
    m_infoPanel = new QLabel(bottom);
    m_infoPanel->setObjectName(QStringLiteral("InfoPanel"));
    // A long description must not widen the window.
    m_infoPanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_progress = new QProgressBar(bottom);
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_progress->setFixedWidth(150);
    bottomLayout->addWidget(m_infoPanel, 1);
    bottomLayout->addWidget(m_progress);
    layout->addWidget(bottom);
    setCentralWidget(central);
    statusBar();

    buildMenus();
    connect(m_editorPage, &editor::EditorPage::newClicked, this, &TSDIAppForm::Neu1Click);
    connect(m_editorPage, &editor::EditorPage::openClicked, this, &TSDIAppForm::OpenItemClick);
    connect(m_editorPage, &editor::EditorPage::saveClicked, this, [this] { SaveItemClick(); });
    connect(m_editorPage, &editor::EditorPage::backgroundClicked, this, &TSDIAppForm::Hintergrundbild1Click);

    // FormCreate.
    showCardFormat();
    m_doc.BackgroundMode = document::NoBackground;
    m_doc.clearall();
    updateTitle();
    m_doc.updateExtents();
    m_editorPage->surfaceChanged();
    m_addresses.currentIndex = -1;
    m_addresses.LoadAllNames(m_programFolder + addressbook::AddressDatabaseFileName, *m_addressesPage);

    m_startupTimer.setSingleShot(true);
    m_startupTimer.setInterval(100);
    connect(&m_startupTimer, &QTimer::timeout, this, &TSDIAppForm::Timer2Timer);

    if (const auto geometry = savedWindowGeometry())
        restoreGeometry(*geometry);
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TSDIAppForm::~TSDIAppForm() { FormDestroy(); }

void TSDIAppForm::buildMenus()
{
    struct Item {
        const char* caption;
        const char* shortcut;
        const char* hint;
        std::function<void()> run;
    };
    auto addItems = [this](QMenu* menu, std::initializer_list<Item> items) {
        for (const Item& item : items) {
            if (!item.caption) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromLatin1(item.caption));
            if (item.shortcut)
                action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
            action->setStatusTip(QString::fromLatin1(item.hint));
            if (item.run)
                connect(action, &QAction::triggered, this, item.run);
        }
    };
    addItems(
        menuBar()->addMenu(QStringLiteral("File")),
        {
            {"New...", "Ctrl+N", "Create new Business Card", [this] { Neu1Click(); }},
            {"Open...", "Ctrl+O", "Open Business Card", [this] { OpenItemClick(); }},
            {"Save", "Ctrl+S", "Save actual Card", [this] { SaveItemClick(); }},
            {"Save as...", "Ctrl+U", "Save actual Card under a special name",
             [this] { Speichernunter1Click(); }},
            {nullptr, nullptr, nullptr, {}},
            {"Choose scanner...", nullptr, "You can select an scanner", {}},
            {"Scan picture...", nullptr, "You can scan and save an picture", {}},
            {nullptr, nullptr, nullptr, {}},
            {"Setup printer...", "Ctrl+E", "Setups the printer", [this] { m_printPage->PrintSetupClick(); }},
            {"Print...", "Ctrl+D", "Prints the Business Card", [this] { m_printPage->PrintClick(); }},
            {nullptr, nullptr, nullptr, {}},
            {"&Quit", "Alt+X", "Quit program", [this] { ExitItemClick(); }},
        });
    addItems(menuBar()->addMenu(QStringLiteral("Options")),
             {
                 {"Background picture...", "Ctrl+H", "Chages the properties of the background picture",
                  [this] { Hintergrundbild1Click(); }},
                 {"Business Card format", nullptr,
                  "Alternates the size of the cards or the spaces between and around the cards",
                  [this] { Etikettenformat1Click(); }},
                 {"Calibrate printer...", nullptr, "Use this for every new printer to get exact printouts!",
                  [this] { m_printPage->KalBtnClick(); }},
             });
    addItems(menuBar()->addMenu(QStringLiteral("&Help")),
             {
                 {"Inf&o...", "Ctrl+I", "Information about the program", [this] { About1Click(); }},
             });
}

QAction* TSDIAppForm::action(const QString& caption) const
{
    for (QAction* menu : menuBar()->actions()) {
        if (!menu->menu())
            continue;
        for (QAction* item : menu->menu()->actions()) {
            if (item->text() == caption)
                return item;
        }
    }
    return nullptr;
}

render::RenderContext TSDIAppForm::renderContext()
{
    render::RenderContext context;
    context.screenDpi = screenPixelsPerInch();
    context.fontPpi = context.screenDpi;
    if (m_addresses.hasCurrentAddress()) {
        m_placeholders = addressbook::placeholderFields(*m_addressesPage);
        context.placeholders = &m_placeholders;
    }
    return context;
}

void TSDIAppForm::WMUser(int percent)
{
    m_progress->setValue(std::clamp(percent, 0, 100));
    m_progress->repaint();
}

document::CardFileContext TSDIAppForm::cardFileContext()
{
    return {*m_prompter, *m_pictures, m_programFolder};
}

void TSDIAppForm::showCardFormat() { m_infoPanel->setText(document::FormatDescription(m_doc.Format)); }

void TSDIAppForm::updateTitle() { setWindowTitle(document::windowTitle(m_doc)); }

void TSDIAppForm::afterNewOrOpen(bool scrollToCard)
{
    updateTitle();
    showCardFormat();
    m_editorPage->view()->updateSurfaceSize();
    if (scrollToCard)
        m_editorPage->scrollToCard();
    else
        m_editorPage->PaintBox1Paint();
    m_printPage->VPaintPaint();
}

void TSDIAppForm::Neu1Click()
{
    auto context = cardFileContext();
    const bool made = document::Neu1Click(m_doc, context, *m_formatList);
    updateTitle();
    if (made)
        afterNewOrOpen(true);
}

void TSDIAppForm::OpenItemClick()
{
    auto context = cardFileContext();
    const bool opened = document::OpenItemClick(m_doc, context);
    updateTitle();
    if (opened)
        afterNewOrOpen(false);
}

bool TSDIAppForm::openCard(const QString& path)
{
    auto context = cardFileContext();
    const bool opened = document::OpenItNow(m_doc, path, context);
    updateTitle();
    if (opened)
        afterNewOrOpen(false);
    return opened;
}

bool TSDIAppForm::SaveItemClick()
{
    auto context = cardFileContext();
    const bool saved = document::SaveItemClick(m_doc, context);
    updateTitle();
    return saved;
}

bool TSDIAppForm::Speichernunter1Click()
{
    auto context = cardFileContext();
    const bool saved = document::Speichernunter1Click(m_doc, context);
    updateTitle();
    return saved;
}

void TSDIAppForm::ExitItemClick()
{
    const document::Answer answer =
        m_prompter->ask({QStringLiteral("Quit program"), QStringLiteral("Do you want to save before?"),
                         document::MessageButtons::YesNoCancel, document::MessageIcon::Question});
    if (answer == document::Answer::Cancel)
        return;
    if (answer == document::Answer::Yes && !SaveItemClick())
        return;
    m_quitting = true;
    close();
}

void TSDIAppForm::Etikettenformat1Click()
{
    m_formatEditor->setValues(document::recordToDialog(m_doc.Format));
    if (!m_formatEditor->run())
        return;
    document::dialogToRecord(m_formatEditor->values(), m_doc.Format);
    ApplyCardFormat();
}

void TSDIAppForm::ApplyCardFormat()
{
    showCardFormat();
    m_doc.updateExtents();
    m_editorPage->surfaceChanged();
    m_printPage->VPaintPaint();
}

void TSDIAppForm::About1Click() { m_infoBox->exec(); }

void TSDIAppForm::Hintergrundbild1Click() { m_backgroundDialog->Hintergrundbild1Click(); }

void TSDIAppForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TSDIAppForm::FormShow()
{
    // The standard address becomes current when it lies in the list.
    const int standard = m_addresses.standardIndex;
    if (standard >= 0 && standard < int(m_addresses.records.size())) {
        m_addresses.LoadFromDB(standard, *m_addressesPage);
        m_addresses.currentIndex = standard;
    }
}

void TSDIAppForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TSDIAppForm::FormActivate()
{
    if (m_doc.StartupNewDone || m_activated)
        return;
    m_activated = true;
    m_startupTimer.start();
}

void TSDIAppForm::Timer2Timer()
{
    m_startupTimer.stop();
    // A card given at start is shown from its top-left corner, as New would show it; one that
    // cannot be read leaves the user at the card format list as usual.
    if (!m_startupCard.isEmpty() && openCard(m_startupCard))
        m_editorPage->scrollToCard();
    else
        Neu1Click();
    m_doc.StartupNewDone = true;
}

void TSDIAppForm::closeEvent(QCloseEvent* event)
{
    saveWindowGeometry(*this);
    event->accept();
    FormDestroy();
}

void TSDIAppForm::FormDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    m_addresses.SaveAllNames(m_programFolder + addressbook::AddressDatabaseFileName, *m_addressesPage);
    m_addresses.FreeAllNames();
    for (int slot = document::FirstSlot; slot <= document::SpareSlot; ++slot)
        imaging::deldib(m_doc.object(slot).Picture);
    imaging::deldib(m_doc.BackgroundPicture);
}

}  // namespace vellamo::app
