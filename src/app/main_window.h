#pragma once

// TSDIAppForm, the main window: a thin shell that owns the card, the address book and the
// dialogs, and wires the pages, menus and commands together.

#include "addressbook/address_book.h"
#include "addressbook/address_book_store.h"
#include "document/card_document.h"
#include "document/card_file_commands.h"
#include "document/card_format_list.h"
#include "document/card_model.h"
#include "document/new_card.h"
#include "render/card_renderer.h"
#include "render/picture_operations.h"

#include <QMainWindow>
#include <QTimer>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QTabWidget;

namespace vellamo::addressbook {
class AddressesPage;
class CsvMappingChooser;
}  // namespace vellamo::addressbook
namespace vellamo::templates {
class TemplatePage;
struct TemplateCard;
}  // namespace vellamo::templates
namespace vellamo::editor {
class EditorPage;
class QtColorChooser;
class QtFontChooser;
class TEffektForm;
class TTransForm;
class TTxtForm;
}  // namespace vellamo::editor

namespace vellamo::print {
class PrinterSetup;
class PrintPage;
class TJPEGQForm;
}  // namespace vellamo::print

namespace vellamo::app {

class InfoBox;
class ScanController;
class ScannerChooser;
class TScannerForm;
class Tbkgndform;
class TBMPOpenForm;
class TneuForm;
class TNewETypForm;

// What the shell asks through; each one left null is the real dialog. Tests put in scripts.
struct ShellDialogs {
    document::Prompter* prompter = nullptr;
    document::CardFormatChooser* formatList = nullptr;
    document::CardFormatEditor* formatEditor = nullptr;
    ScannerChooser* scannerChooser = nullptr;
    print::PrinterSetup* printerSetup = nullptr;
    addressbook::CsvMappingChooser* csvMapping = nullptr;
};

class TSDIAppForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TSDIAppForm(QString programFolder, ShellDialogs dialogs = {}, QWidget* parent = nullptr);
    ~TSDIAppForm() override;

    // Opens this card at start instead of the automatic New.
    void setStartupCard(const QString& path) { m_startupCard = path; }

    document::CardDocument& doc() { return m_doc; }
    document::CardModel& model() { return m_model; }
    addressbook::AddressBook& addresses() { return m_addressBook; }
    addressbook::AddressesPage* addressesPage() const { return m_addressesPage; }
    editor::EditorPage* editorPage() const { return m_editorPage; }
    print::PrintPage* printPage() const { return m_printPage; }
    templates::TemplatePage* templatePage() const { return m_templatePage; }
    QTabWidget* pages() const { return m_pages; }
    QLabel* InfoPanel() const { return m_infoPanel; }
    QProgressBar* progressBar() const { return m_progress; }
    QAction* action(const QString& caption) const;
    const QString& programFolder() const { return m_programFolder; }
    ScanController* scanning() const { return m_scanning; }
    // Asked before a picture is saved as JPEG; its values persist in the settings.
    print::TJPEGQForm* jpegQualityDialog() const { return m_jpegQualityDialog; }

    // The commands.
    void Neu1Click();
    void OpenItemClick();
    bool SaveItemClick();
    bool Speichernunter1Click();
    void ExitItemClick();
    void Etikettenformat1Click();
    void About1Click();
    void Hintergrundbild1Click();
    // Opens a card file (with the save question), then shows it.
    bool openCard(const QString& path);

    // The context every drawing of the card takes: screen, calibration, current address.
    render::RenderContext renderContext();
    // WM_USER: the picture library's progress, 0..100.
    void WMUser(int percent);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildEditMenu(QMenu* menu);
    void updateEditItems();
    void FormShow();
    void FormActivate();
    void Timer2Timer();
    void FormDestroy();
    void showCardFormat();
    void updateTitle();
    void afterNewOrOpen(bool scrollToCard);
    document::CardFileContext cardFileContext();
    // The template assistant's card replaces the document; the editor shows it.
    void adoptTemplate(templates::TemplateCard card);

    QString m_programFolder;
    document::CardModel m_model;
    document::CardDocument& m_doc;
    addressbook::AddressBook m_addressBook;
    std::unique_ptr<addressbook::AddressBookStore> m_addressStore;
    render::PlaceholderFields m_placeholders;
    std::unique_ptr<document::Prompter> m_ownPrompter;
    document::Prompter* m_prompter = nullptr;
    std::unique_ptr<render::ProgramFolderPictures> m_pictures;
    TneuForm* m_formatListDialog = nullptr;
    TNewETypForm* m_formatEditDialog = nullptr;
    InfoBox* m_infoBox = nullptr;
    TScannerForm* m_scannerDialog = nullptr;
    ScanController* m_scanning = nullptr;
    print::TJPEGQForm* m_jpegQualityDialog = nullptr;
    Tbkgndform* m_backgroundDialog = nullptr;
    TBMPOpenForm* m_pictureOpenDialog = nullptr;
    editor::TEffektForm* m_effectsDialog = nullptr;
    editor::TTransForm* m_transparencyDialog = nullptr;
    editor::TTxtForm* m_textDialog = nullptr;
    std::unique_ptr<editor::QtColorChooser> m_colors;
    std::unique_ptr<editor::QtFontChooser> m_fonts;
    document::CardFormatChooser* m_formatList = nullptr;
    document::CardFormatEditor* m_formatEditor = nullptr;

    QTabWidget* m_pages = nullptr;
    addressbook::AddressesPage* m_addressesPage = nullptr;
    // The columns of an imported CSV file; the dialog, when not scripted, is a child window.
    addressbook::CsvMappingChooser* m_csvMapping = nullptr;
    editor::EditorPage* m_editorPage = nullptr;
    print::PrintPage* m_printPage = nullptr;
    templates::TemplatePage* m_templatePage = nullptr;
    QLabel* m_infoPanel = nullptr;
    QProgressBar* m_progress = nullptr;
    QAction* m_undoItem = nullptr;
    QAction* m_redoItem = nullptr;
    QAction* m_cutItem = nullptr;
    QAction* m_copyItem = nullptr;
    QAction* m_pasteItem = nullptr;
    QAction* m_duplicateItem = nullptr;
    QTimer m_startupTimer;
    QString m_startupCard;
    bool m_shown = false;
    bool m_activated = false;
    bool m_quitting = false;
    bool m_destroyed = false;
};

}  // namespace vellamo::app
