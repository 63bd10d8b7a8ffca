#pragma once

// The "Addresses" page with its inner pages "Selection", "Edit", "Logo" and "Description".
// It shows the address book model and edits it; it keeps no address data of its own.

#include "addressbook/address_book.h"
#include "document/prompter.h"
#include "imaging/dib_record.h"

#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QTableWidget;
class QToolButton;

namespace vellamo::addressbook {

class NewAddressAsker;
class TNewAdrForm;

// The logo preview (PaintBox3): the current address's logo fitted into the visible area.
class LogoPreview : public QWidget {
public:
    explicit LogoPreview(QString programFolder, QWidget* parent = nullptr);
    // The next paint reads this file again (a bare name lies in the program folder).
    void reload(const QString& fileName);
    const imaging::DibRecord& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_programFolder;
    QString m_fileName;
    bool m_reload = false;
    imaging::DibRecord m_picture;
};

struct AddressPageContext {
    QString programFolder;
    // A picture file lying directly in the program folder becomes its bare name.
    std::function<QString(const QString&)> shortenPictureName;
    document::Prompter* ask = nullptr;
    // Null: the page's own "Create new Address" dialog.
    NewAddressAsker* newAddress = nullptr;
};

class AddressesPage : public QWidget {
    Q_OBJECT
public:
    AddressesPage(AddressBook& book, AddressPageContext context, QWidget* parent = nullptr);
    ~AddressesPage() override;

    // A further button beside "New Address" and "&Delete Address..." (import, export).
    QPushButton* addBookButton(const QString& caption, const QString& hint);

    void NewAdrBtnClick();
    void DelAdrBtnClick();

    QTabWidget* subPages() const { return m_pages; }
    QListWidget* AdrList() const { return m_adrList; }
    QCheckBox* StdAdrCheck() const { return m_stdAdrCheck; }
    QComboBox* AdrCombo1() const { return m_adrCombo1; }
    QComboBox* AdrCombo2() const { return m_adrCombo2; }
    QPushButton* NewAdrBtn() const { return m_newAdrBtn; }
    QPushButton* DelAdrBtn() const { return m_delAdrBtn; }
    QTableWidget* editGrid() const { return m_editGrid; }
    QTableWidget* descriptionGrid() const { return m_descriptionGrid; }
    QLineEdit* logoFileEdit() const { return m_logoFile; }
    QToolButton* logoBrowseButton() const { return m_logoBrowse; }
    LogoPreview* logoPreview() const { return m_preview; }
    TNewAdrForm* newAddressDialog() const { return m_ownNewAddress.get(); }

signals:
    // A double click in the list: the template assistant is wanted.
    void templateAssistantRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ListAllNames();
    void showCurrentSelection();
    // The working copy can be typed into only while it belongs to an address.
    void showEditable(bool editable);
    void selectionMade(int index);
    void showValues(int row);
    void showLabels(int row);
    void FilenameEdit1Change(const QString& text);
    void browseLogo();

    AddressBook& m_book;
    AddressPageContext m_context;
    std::unique_ptr<TNewAdrForm> m_ownNewAddress;
    bool m_syncing = false;

    QTabWidget* m_pages = nullptr;
    QListWidget* m_adrList = nullptr;
    QCheckBox* m_stdAdrCheck = nullptr;
    QComboBox* m_adrCombo1 = nullptr;
    QComboBox* m_adrCombo2 = nullptr;
    QPushButton* m_newAdrBtn = nullptr;
    QPushButton* m_delAdrBtn = nullptr;
    QHBoxLayout* m_bookButtons = nullptr;
    QTableWidget* m_editGrid = nullptr;
    QTableWidget* m_descriptionGrid = nullptr;
    QLineEdit* m_logoFile = nullptr;
    QToolButton* m_logoBrowse = nullptr;
    QScrollArea* m_logoBox = nullptr;
    LogoPreview* m_preview = nullptr;
};

}  // namespace vellamo::addressbook
