#include "app/main_window.h"

#include "addressbook/address_exchange.h"
#include "addressbook/address_page.h"
#include "addressbook/csv_mapping_dialog.h"
#include "app/background_dialog.h"
#include "app/card_format_dialogs.h"
#include "app/info_box.h"
#include "app/picture_open_dialog.h"
#include "app/qt_prompter.h"
#include "app/scan_controller.h"
#include "app/scanner_dialog.h"
#include "app/settings.h"
#include "app/sub_prog_path.h"
#include "document/card_format.h"
#include "editor/editor_page.h"
#include "editor/effects_dialog.h"
#include "editor/object_clipboard.h"
#include "editor/standard_dialogs.h"
#include "editor/text_dialog.h"
#include "editor/transparency_dialog.h"
#include "print/jpeg_quality_dialog.h"
#include "print/print_page.h"
#include "templates/template_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>

namespace vellamo::app {

namespace {

int screenPixelsPerInch()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchX()) : 96;
}

}  // namespace

TSDIAppForm::TSDIAppForm(QString programFolder, ShellDialogs dialogs, QWidget* parent)
    : QMainWindow(parent), m_programFolder(std::move(programFolder)), m_model(screenPixelsPerInch()),
      m_doc(m_model.doc())
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
    m_fonts = std::make_unique<editor::QtFontChooser>(*m_colors, this);
    m_formatEditDialog = new TNewETypForm(*m_prompter, this);
    m_formatEditor = dialogs.formatEditor ? dialogs.formatEditor : m_formatEditDialog;
    m_formatListDialog =
        new TneuForm(m_programFolder + document::CardFormatListFileName, *m_formatEditor, *m_prompter, this);
    m_formatList = dialogs.formatList ? dialogs.formatList : m_formatListDialog;
    m_pictureOpenDialog = new TBMPOpenForm(m_programFolder, progress, this);
    m_backgroundDialog = new Tbkgndform(m_doc, *m_pictureOpenDialog, m_programFolder, *m_prompter, progress,
                                        std::function<void()>(), this);
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
    m_addressesPage = new addressbook::AddressesPage(
        m_addressBook,
        {m_programFolder, [this](const QString& name) { return SubProgPath(name, m_programFolder); },
         m_prompter},
        m_pages);
    m_pages->addTab(m_addressesPage, QStringLiteral("Addresses"));
    m_csvMapping = dialogs.csvMapping ? dialogs.csvMapping : new addressbook::CsvMappingDialog(this);
    connect(m_addressesPage->addBookButton(QStringLiteral("Import addresses..."),
                                           QStringLiteral("Adds the addresses of a vCard or CSV file")),
            &QPushButton::clicked, this,
            [this] { addressbook::importAddresses(m_addressBook, *m_prompter, *m_csvMapping); });
    connect(
        m_addressesPage->addBookButton(QStringLiteral("Export addresses..."),
                                       QStringLiteral("Saves the whole address book as vCard or CSV file")),
        &QPushButton::clicked, this, [this] { addressbook::exportAddresses(m_addressBook, *m_prompter); });
    templates::TemplatePageContext templateContext;
    templateContext.programFolder = m_programFolder;
    templateContext.shortenPictureName = [this](const QString& name) {
        return SubProgPath(name, m_programFolder);
    };
    templateContext.ask = m_prompter;
    templateContext.pictures = m_pictures.get();
    templateContext.screenDpi = screenPixelsPerInch();
    templateContext.seed = std::uint32_t(QDateTime::currentMSecsSinceEpoch());
    templateContext.save = [this] { return SaveItemClick(); };
    templateContext.adopt = [this](templates::TemplateCard card) { adoptTemplate(std::move(card)); };
    m_templatePage = new templates::TemplatePage(m_doc, m_addressBook, std::move(templateContext), m_pages);
    m_pages->addTab(m_templatePage, QStringLiteral("Template assistant"));
    m_editorPage = new editor::EditorPage(
        m_model, [this] { return renderContext(); }, *m_prompter, m_pages);
    m_editorPage->setPictureLoading(m_programFolder, screenPixelsPerInch(), progress);
    m_editorPage->setDialogs({m_colors.get(), m_fonts.get(), m_textDialog, m_effectsDialog,
                              m_transparencyDialog, m_pictureOpenDialog});
    m_pages->addTab(m_editorPage, QStringLiteral("Editor"));
    m_printPage = new print::PrintPage(
        m_doc, [this] { return renderContext(); }, *m_prompter, m_programFolder, m_pages);
    m_printPage->setProgress(progress);
    m_printPage->setAddressBook(&m_addressBook);
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
    // A long description must not widen the window; it takes a second line instead of being cut.
    m_infoPanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_infoPanel->setWordWrap(true);
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

    // Scanning: the two File menu items, a Cancel button beside the progress bar, and WMUser2
    // for the finished scan.
    m_scannerDialog = new TScannerForm(this);
    m_scanning = new ScanController(
        {this, m_prompter, dialogs.scannerChooser ? dialogs.scannerChooser : m_scannerDialog,
         action(QStringLiteral("Choose scanner...")), action(QStringLiteral("Scan picture...")), progress,
         m_programFolder, m_jpegQualityDialog},
        this);
    bottomLayout->addWidget(m_scanning->cancelButton());

    connect(m_editorPage, &editor::EditorPage::newClicked, this, &TSDIAppForm::Neu1Click);
    connect(m_editorPage, &editor::EditorPage::openClicked, this, &TSDIAppForm::OpenItemClick);
    connect(m_editorPage, &editor::EditorPage::saveClicked, this, [this] { SaveItemClick(); });
    connect(m_editorPage, &editor::EditorPage::backgroundClicked, this, &TSDIAppForm::Hintergrundbild1Click);
    connect(&m_model, &document::CardModel::cardFormatChanged, this, &TSDIAppForm::showCardFormat);
    // Undoing a template adoption gives the card its name back.
    connect(&m_model, &document::CardModel::cardChanged, this, &TSDIAppForm::updateTitle);
    // The sheet preview shows the card as it is after every change.
    for (auto signal : {&document::CardModel::cardChanged, &document::CardModel::cardFormatChanged,
                        &document::CardModel::documentReplaced})
        connect(&m_model, signal, m_printPage, &print::PrintPage::VPaintPaint);

    // FormCreate.
    showCardFormat();
    m_doc.BackgroundMode = document::NoBackground;
    m_doc.clearall();
    m_doc.Extension.clear();
    updateTitle();
    m_doc.updateExtents();
    m_editorPage->surfaceChanged();
    m_addressStore = std::make_unique<addressbook::AddressBookStore>(
        m_addressBook, m_programFolder + addressbook::AddressDatabaseFileName, m_prompter);
    m_addressStore->load();
    // Placeholders on the card follow every edit of the address book.
    connect(&m_addressBook, &addressbook::AddressBook::changed, m_editorPage,
            &editor::EditorPage::PaintBox1Paint);
    connect(m_addressesPage, &addressbook::AddressesPage::templateAssistantRequested, this,
            [this] { m_pages->setCurrentIndex(1); });

    m_startupTimer.setSingleShot(true);
    m_startupTimer.setInterval(100);
    connect(&m_startupTimer, &QTimer::timeout, this, &TSDIAppForm::Timer2Timer);

    if (const auto geometry = savedWindowGeometry())
        restoreGeometry(*geometry);
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TSDIAppForm::~TSDIAppForm()
{
    // The model goes before the child widgets; nothing may ask it for the Edit items then.
    disconnect(QGuiApplication::clipboard(), nullptr, this, nullptr);
    FormDestroy();
}

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
    buildEditMenu(menuBar()->addMenu(QStringLiteral("Edit")));
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

void TSDIAppForm::buildEditMenu(QMenu* menu)
{
    editor::EditorCommands& commands = m_editorPage->commands();
    auto item = [&](const char* caption, const char* name, QList<QKeySequence> keys, const char* hint,
                    std::function<void()> run) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        action->setStatusTip(QString::fromLatin1(hint));
        connect(action, &QAction::triggered, this, std::move(run));
        return action;
    };
    m_undoItem = item("&Undo", "UndoItem", {QKeySequence(QStringLiteral("Ctrl+Z"))},
                      "Takes back the last change", [&commands] { commands.undo(); });
    m_redoItem = item("&Redo", "RedoItem",
                      {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))},
                      "Makes the change taken back last again", [&commands] { commands.redo(); });
    menu->addSeparator();
    m_cutItem = item("Cu&t", "CutItem", {QKeySequence(QStringLiteral("Ctrl+X"))},
                     "Moves the object to the clipboard", [&commands] { commands.cutObject(); });
    m_copyItem = item("&Copy", "CopyItem", {QKeySequence(QStringLiteral("Ctrl+C"))},
                      "Copies the object to the clipboard", [&commands] { commands.copyObject(); });
    m_pasteItem =
        item("&Paste", "PasteItem", {QKeySequence(QStringLiteral("Ctrl+V"))},
             "Inserts the object or picture from the clipboard", [&commands] { commands.pasteObject(); });
    m_duplicateItem = item("D&uplicate", "DuplicateItem", {QKeySequence(QStringLiteral("Ctrl+J"))},
                           "Makes a copy of the object", [&commands] { commands.duplicateObject(); });

    QUndoStack& history = m_model.history();
    connect(&history, &QUndoStack::indexChanged, this, &TSDIAppForm::updateEditItems);
    connect(&history, &QUndoStack::cleanChanged, this, &TSDIAppForm::updateEditItems);
    connect(&m_model, &document::CardModel::selectionChanged, this, &TSDIAppForm::updateEditItems);
    connect(&m_model, &document::CardModel::documentReplaced, this, &TSDIAppForm::updateEditItems);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TSDIAppForm::updateEditItems);
    connect(m_pages, &QTabWidget::currentChanged, this, &TSDIAppForm::updateEditItems);
    updateEditItems();
}

void TSDIAppForm::updateEditItems()
{
    if (!m_undoItem)
        return;
    QUndoStack& history = m_model.history();
    const auto named = [](const char* caption, const QString& step) {
        return step.isEmpty() ? QString::fromLatin1(caption) : QString::fromLatin1(caption) + u' ' + step;
    };
    m_undoItem->setText(named("&Undo", history.canUndo() ? history.undoText() : QString()));
    m_undoItem->setEnabled(history.canUndo());
    m_redoItem->setText(named("&Redo", history.canRedo() ? history.redoText() : QString()));
    m_redoItem->setEnabled(history.canRedo());
    // The clipboard items act on what the editor shows; on the other pages their keys stay free.
    const bool editing = m_pages->currentWidget() == m_editorPage;
    const bool selected = editing && document::isObjectSlot(m_doc.SelectedObject);
    m_cutItem->setEnabled(selected);
    m_copyItem->setEnabled(selected);
    m_duplicateItem->setEnabled(selected);
    m_pasteItem->setEnabled(editing && editor::canPaste(QGuiApplication::clipboard()->mimeData()));
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
    if (m_addressBook.hasCurrentAddress()) {
        m_placeholders = m_addressBook.placeholderFields();
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
    return {*m_prompter, *m_pictures, m_programFolder, [this] { afterNewOrOpen(false); }};
}

void TSDIAppForm::showCardFormat()
{
    const QString description = document::FormatDescription(m_doc.Format);
    m_infoPanel->setText(description);
    m_infoPanel->setToolTip(description);
}

void TSDIAppForm::updateTitle() { setWindowTitle(document::windowTitle(m_doc)); }

void TSDIAppForm::afterNewOrOpen(bool scrollToCard)
{
    // Announces the new card: description, surface size and the repaint follow the signals.
    m_model.announceReplaced();
    if (scrollToCard)
        m_editorPage->scrollToCard();
}

void TSDIAppForm::Neu1Click()
{
    auto context = cardFileContext();
    const bool made = document::Neu1Click(m_doc, context, *m_formatList);
    m_model.noticeSaves();
    updateTitle();
    if (made)
        afterNewOrOpen(true);
}

void TSDIAppForm::OpenItemClick()
{
    auto context = cardFileContext();
    const bool opened = document::OpenItemClick(m_doc, context);
    m_model.noticeSaves();
    updateTitle();
    if (opened)
        afterNewOrOpen(false);
}

bool TSDIAppForm::openCard(const QString& path)
{
    auto context = cardFileContext();
    const bool opened = document::OpenItNow(m_doc, path, context);
    m_model.noticeSaves();
    updateTitle();
    if (opened)
        afterNewOrOpen(false);
    return opened;
}

bool TSDIAppForm::SaveItemClick()
{
    auto context = cardFileContext();
    const bool saved = document::SaveItemClick(m_doc, context);
    m_model.noticeSaves();
    updateTitle();
    return saved;
}

bool TSDIAppForm::Speichernunter1Click()
{
    auto context = cardFileContext();
    const bool saved = document::Speichernunter1Click(m_doc, context);
    m_model.noticeSaves();
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
    // Already asked: the close box must not ask again.
    m_quitting = true;
    close();
}

void TSDIAppForm::Etikettenformat1Click()
{
    m_formatEditor->setValues(document::recordToDialog(m_doc.Format));
    if (!m_formatEditor->run())
        return;
    document::CardFormat format = m_doc.Format;
    document::dialogToRecord(m_formatEditor->values(), format);
    document::CardChange change(m_model, QStringLiteral("Card Format"));
    change.setFormat(format);
    change.commit();
}

void TSDIAppForm::adoptTemplate(templates::TemplateCard card)
{
    // The normal zoom is view state; the card itself changes in one step.
    m_doc.ZoomNum = card.ZoomNum;
    m_doc.ZoomDen = card.ZoomDen;
    document::CardChange change(m_model, QStringLiteral("Template"));
    change.clearall();
    for (std::size_t i = 0; i < card.objects.size() && int(i) < document::LastSlot; ++i)
        change.object(int(i) + document::FirstSlot) = std::move(card.objects[i]);
    change.setBackground(
        {card.BackgroundMode, std::move(card.BackgroundFile), std::move(card.BackgroundPicture)});
    change.select(0);
    change.commit();
    m_editorPage->surfaceChanged();
    m_pages->setCurrentWidget(m_editorPage);
}

void TSDIAppForm::About1Click() { m_infoBox->exec(); }

void TSDIAppForm::Hintergrundbild1Click()
{
    // The dialog changes the background at once and on closing; all of it is one step.
    document::CardChange change(m_model, QStringLiteral("Background"));
    m_backgroundDialog->Hintergrundbild1Click();
    change.commit();
}

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
    const int standard = m_addressBook.standardIndex();
    m_addressBook.ChangeAktName(m_addressBook.inList(standard) ? standard : -1);
    m_templatePage->RenderBtnClick();
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
    // The close box asks like Quit, but only when there is something to lose.
    if (!m_quitting && !m_destroyed && m_model.isModified()) {
        const document::Answer answer =
            m_prompter->ask({QStringLiteral("Quit program"), QStringLiteral("Do you want to save before?"),
                             document::MessageButtons::YesNoCancel, document::MessageIcon::Question});
        if (answer == document::Answer::Cancel || (answer == document::Answer::Yes && !SaveItemClick())) {
            event->ignore();
            return;
        }
    }
    saveWindowGeometry(*this);
    event->accept();
    FormDestroy();
}

void TSDIAppForm::FormDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    m_scanning->shutdown();
    m_addressStore->save(true);
    // Emptying the list is no change of the book that another program should see.
    m_addressStore.reset();
    m_addressBook.FreeAllNames();
    // The pictures and the object slots go with the document the window owns.
}

}  // namespace vellamo::app
