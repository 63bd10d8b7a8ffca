#include "addressbook/address_page.h"

#include "addressbook/new_address_dialog.h"
#include "addressbook/picture_name.h"
#include "support/scripted_prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <deque>
#include <gtest/gtest.h>

using namespace vellamo::addressbook;
using vellamo::document::Answer;
using vellamo::testing::ScriptedPrompter;

namespace {

class ScriptedNewAddress : public NewAddressAsker {
public:
    std::deque<std::optional<NewAddressInput>> answers;
    std::optional<NewAddressInput> askNewAddress() override
    {
        if (answers.empty())
            return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

AddressRecord named(const std::string& first, const std::string& last)
{
    AddressRecord r;
    r.strings[1] = first;
    r.strings[2] = last;
    return r;
}

// The program folder rule, written out for the test: a file directly in `folder` loses it.
QString shortenIn(const QString& folder, const QString& name)
{
    return name.startsWith(folder) && !name.mid(folder.size()).contains(u'/') ? name.mid(folder.size())
                                                                              : name;
}

struct Page {
    QTemporaryDir dir;
    QString folder = dir.path() + "/";
    AddressBook book;
    ScriptedPrompter ask;
    ScriptedNewAddress newAddress;
    std::unique_ptr<AddressesPage> page;

    Page(std::vector<AddressRecord> records = {})
    {
        book.appendRecords(std::move(records));
        page = std::make_unique<AddressesPage>(
            book, AddressPageContext{folder, [this](const QString& n) { return shortenIn(folder, n); }, &ask,
                                     &newAddress});
        page->resize(600, 500);
    }

    QString cell(QTableWidget* grid, int row) const { return grid->item(row - 1, 1)->text(); }

    // Types into a cell as a user does: edit, type, Enter.
    void type(QTableWidget* grid, int row, const QString& text)
    {
        page->show();
        grid->setCurrentCell(row - 1, 1);
        grid->editItem(grid->item(row - 1, 1));
        auto* editor = grid->viewport()->findChild<QLineEdit*>();
        ASSERT_TRUE(editor);
        // Typed as an input method would: any character, not only what keys can name.
        editor->selectAll();
        editor->insert(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();  // the grid commits the edit queued
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

}  // namespace

TEST(AddressesPage, PagesGridsAndCaptions)
{
    Page p;
    QTabWidget* pages = p.page->subPages();
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->tabText(0), "Selection");
    EXPECT_EQ(pages->tabText(1), "Edit");
    EXPECT_EQ(pages->tabText(2), "Logo");
    EXPECT_EQ(pages->tabText(3), "Description");
    EXPECT_EQ(p.page->StdAdrCheck()->text(), "Normal Address");
    EXPECT_EQ(p.page->NewAdrBtn()->text(), "New Address");
    EXPECT_EQ(p.page->NewAdrBtn()->statusTip(), "Inserts an Address to the database");
    EXPECT_EQ(p.page->DelAdrBtn()->text(), "&Delete Address...");
    EXPECT_EQ(p.page->DelAdrBtn()->statusTip(), "Deletes an Address in the database");
    EXPECT_FALSE(p.page->AdrCombo1()->isEditable());

    p.page->show();
    for (QTableWidget* grid : {p.page->editGrid(), p.page->descriptionGrid()}) {
        pages->setCurrentWidget(grid->parentWidget());
        QApplication::processEvents();
        EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Field");
        EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Content");
        EXPECT_EQ(grid->rowCount(), 29);
        EXPECT_EQ(grid->item(0, 0)->text(), "Title");
        EXPECT_EQ(grid->item(19, 0)->text(), "Post-office box company");
        EXPECT_FALSE(grid->item(3, 0)->flags() & Qt::ItemIsEditable);
        // The labels are the book's; values only belong to an address, and there is none.
        EXPECT_EQ(bool(grid->item(3, 1)->flags() & Qt::ItemIsEditable), grid == p.page->descriptionGrid());
        EXPECT_EQ(grid->rowHeight(5), 24);
        EXPECT_EQ(grid->columnWidth(0), 200);
        EXPECT_EQ(grid->columnWidth(1), grid->viewport()->width() - 200);
        p.page->resize(800, 500);
        QApplication::processEvents();
        EXPECT_EQ(grid->columnWidth(1), grid->viewport()->width() - 200) << "follows a resize";
        p.page->resize(600, 500);
    }
}

TEST(AddressesPage, ThreeSelectionControlsInStep)
{
    Page p({named("Anna", "Berg"), named("Anna", "Berg"), named("Carl", "Dahl")});
    p.book.setStandardIndex(2);
    EXPECT_EQ(p.page->AdrList()->count(), 3);
    EXPECT_EQ(p.page->AdrCombo2()->itemText(2), "Dahl Carl");
    EXPECT_EQ(p.page->AdrList()->item(1)->text(), "Berg Anna") << "same names both appear";

    p.page->AdrCombo2()->setCurrentIndex(2);
    EXPECT_EQ(p.book.currentIndex(), 2);
    EXPECT_EQ(p.page->AdrList()->currentRow(), 2);
    EXPECT_EQ(p.page->AdrCombo1()->currentIndex(), 2);
    EXPECT_EQ(p.cell(p.page->editGrid(), 2), "Carl");
    EXPECT_TRUE(p.page->StdAdrCheck()->isChecked());

    p.page->AdrList()->setCurrentRow(1);
    EXPECT_EQ(p.book.currentIndex(), 1);
    EXPECT_EQ(p.page->AdrCombo2()->currentIndex(), 1);
    EXPECT_FALSE(p.page->StdAdrCheck()->isChecked());
    p.page->StdAdrCheck()->click();
    EXPECT_EQ(p.book.standardIndex(), 1);
    p.page->StdAdrCheck()->click();
    EXPECT_EQ(p.book.standardIndex(), 1) << "unchecking changes nothing";
}

TEST(AddressesPage, TypingChangesTheModelAndWindows1252Survives)
{
    Page p({named("Anna", "Berg")});
    p.page->AdrCombo1()->setCurrentIndex(0);
    p.page->subPages()->setCurrentIndex(1);
    const QString long255 = QString(250, u'x') + QString::fromUtf8("M\u00fcll\u20ac");
    p.type(p.page->editGrid(), 7, long255);
    ASSERT_EQ(p.book.value(7).size(), 255u);
    EXPECT_EQ(p.book.value(7).substr(250), "M\xFCll\x80");
    EXPECT_EQ(p.cell(p.page->editGrid(), 7), long255);

    // A character Windows-1252 lacks is shown as what is stored.
    p.type(p.page->editGrid(), 6, QString::fromUtf8("\u0416"));
    EXPECT_EQ(p.book.value(6), "?");
    EXPECT_EQ(p.cell(p.page->editGrid(), 6), "?");

    p.page->subPages()->setCurrentIndex(3);
    p.type(p.page->descriptionGrid(), 8, "Tel.:");
    EXPECT_EQ(p.book.label(8), "Tel.:");

    // The model's own changes show in the grid.
    p.book.setValue(1, "Dr.");
    EXPECT_EQ(p.cell(p.page->editGrid(), 1), "Dr.");
}

TEST(AddressesPage, NewAddressAndDelete)
{
    Page p({named("Anna", "Berg"), named("Carl", "Dahl"), named("Eva", "Ek")});
    p.page->AdrCombo1()->setCurrentIndex(0);
    p.page->subPages()->setCurrentIndex(1);
    p.type(p.page->editGrid(), 4, "Edited street");

    p.newAddress.answers = {std::nullopt, NewAddressInput{"Finn", "Fors", true}};
    p.page->NewAdrBtnClick();
    EXPECT_EQ(p.book.count(), 3) << "Cancel changes nothing";
    p.page->NewAdrBtnClick();
    ASSERT_EQ(p.book.count(), 4);
    EXPECT_EQ(p.page->AdrCombo1()->currentIndex(), 3);
    EXPECT_EQ(p.page->AdrList()->item(3)->text(), "Fors Finn");
    EXPECT_EQ(p.cell(p.page->editGrid(), 4), "Edited street");
    EXPECT_EQ(p.cell(p.page->editGrid(), 2), "Finn");
    EXPECT_EQ(p.book.records()[0].strings[3], "Edited street");

    p.page->AdrCombo1()->setCurrentIndex(1);
    p.ask.answers = {Answer::No, Answer::Yes};
    p.page->DelAdrBtnClick();
    ASSERT_EQ(p.ask.messages.size(), 1u);
    EXPECT_EQ(p.ask.messages[0].caption, "Delete Address");
    EXPECT_EQ(p.ask.messages[0].text, "Do you realy want to delete the Adrress \"Dahl Carl\"?");
    EXPECT_EQ(p.ask.messages[0].buttons, vellamo::document::MessageButtons::YesNo);
    EXPECT_EQ(p.book.count(), 4);
    p.page->DelAdrBtnClick();
    ASSERT_EQ(p.book.count(), 3);
    EXPECT_EQ(p.page->AdrList()->count(), 3);
    EXPECT_EQ(p.page->AdrList()->currentRow(), 0) << "entry 0 is selected after a delete";
    EXPECT_EQ(p.page->AdrCombo2()->currentIndex(), 0);
    EXPECT_EQ(p.cell(p.page->editGrid(), 2), "Anna");

    // Down to none: no selection, and the grid shows no values of the deleted addresses.
    p.ask.answers = {Answer::Yes, Answer::Yes, Answer::Yes};
    for (int i = 0; i < 3; ++i)
        p.page->DelAdrBtnClick();
    EXPECT_EQ(p.book.count(), 0);
    EXPECT_EQ(p.page->AdrCombo1()->currentIndex(), -1);
    EXPECT_EQ(p.cell(p.page->editGrid(), 2), "");
    EXPECT_EQ(p.cell(p.page->editGrid(), 4), "");
    const auto asked = p.ask.messages.size();
    p.page->DelAdrBtnClick();
    EXPECT_EQ(p.ask.messages.size(), asked) << "no address: no question";
}

TEST(AddressesPage, WithoutAnAddressNothingCanBeTypedThatANewAddressWouldLose)
{
    Page p;
    p.page->show();
    p.page->subPages()->setCurrentIndex(1);
    QTableWidget* grid = p.page->editGrid();
    grid->setCurrentCell(3, 1);
    grid->editItem(grid->item(3, 1));
    EXPECT_FALSE(grid->viewport()->findChild<QLineEdit*>()) << "no editor opens";
    EXPECT_TRUE(p.page->logoFileEdit()->isReadOnly());
    EXPECT_FALSE(p.page->logoBrowseButton()->isEnabled());

    p.newAddress.answers = {NewAddressInput{"Anna", "Berg", false}};
    p.page->NewAdrBtnClick();
    p.type(grid, 4, "Main street");
    EXPECT_EQ(p.book.value(4), "Main street");
    EXPECT_FALSE(p.page->logoFileEdit()->isReadOnly());
    EXPECT_TRUE(p.page->logoBrowseButton()->isEnabled());

    p.ask.answers = {Answer::Yes};
    p.page->DelAdrBtnClick();
    EXPECT_FALSE(grid->item(3, 1)->flags() & Qt::ItemIsEditable) << "read-only again with none left";
    EXPECT_TRUE(p.page->logoFileEdit()->isReadOnly());
}

TEST(AddressesPage, NewAddressDialogEnablesOkForTwoNames)
{
    TNewAdrForm dialog;
    EXPECT_EQ(dialog.windowTitle(), "Create new Address");
    dialog.firstNameEdit()->setText("left over");
    dialog.takeOverCheck()->setChecked(true);
    dialog.prepare();
    EXPECT_TRUE(dialog.firstNameEdit()->text().isEmpty());
    EXPECT_FALSE(dialog.takeOverCheck()->isChecked());
    EXPECT_EQ(dialog.takeOverCheck()->text(), "Take over values from actual address");
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.activateWindow();
    QTest::qWait(20);
    EXPECT_EQ(QApplication::focusWidget(), dialog.firstNameEdit());
    QTest::keyClicks(dialog.firstNameEdit(), "Anna");
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    QTest::keyClicks(dialog.lastNameEdit(), "B");
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    QTest::keyClick(dialog.lastNameEdit(), Qt::Key_Backspace);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
}

TEST(AddressesPage, LogoNameAndPreview)
{
    Page p({named("Anna", "Berg")});
    p.page->AdrCombo1()->setCurrentIndex(0);
    // A picture twice as wide as the preview area and a quarter as high.
    QImage wide(400, 50, QImage::Format_RGB32);
    wide.fill(Qt::red);
    ASSERT_TRUE(wide.save(p.folder + "logo.png"));

    p.page->logoFileEdit()->setText("\"" + p.folder + "logo.png\"");
    EXPECT_EQ(p.page->logoFileEdit()->text(), "logo.png");
    EXPECT_EQ(p.book.logoFileName(), "logo.png");
    p.page->logoFileEdit()->setText("\"in\"side\"");
    EXPECT_EQ(p.page->logoFileEdit()->text(), "in\"side") << "only the outer quotes go";
    p.page->logoFileEdit()->setText("logo.png");

    p.page->show();
    p.page->subPages()->setCurrentIndex(2);
    LogoPreview* preview = p.page->logoPreview();
    QApplication::processEvents();
    const QImage shown = preview->grab().toImage();
    ASSERT_TRUE(preview->picture().isLoaded());
    // Full width W, height 50 x W / 400, centred vertically.
    const int W = shown.width(), H = shown.height();
    const int h = 50 * W / 400;
    ASSERT_GT(H, h);
    const int top = (H - h) / 2;
    const auto red = [&](int x, int y) { return QColor(shown.pixel(x, y)) == QColor(Qt::red); };
    EXPECT_TRUE(red(0, top + h / 2));
    EXPECT_TRUE(red(W - 1, top + h / 2));
    EXPECT_TRUE(red(W / 2, top));
    EXPECT_TRUE(red(W / 2, top + h - 1));
    EXPECT_FALSE(red(W / 2, top - 1));
    EXPECT_FALSE(red(W / 2, top + h));

    // A missing or damaged file leaves the preview empty without a message.
    QFile bad(p.folder + "bad.jpg");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    p.page->logoFileEdit()->setText("bad.jpg");
    preview->grab();
    EXPECT_FALSE(preview->picture().isLoaded());
    EXPECT_TRUE(p.ask.messages.empty());
}

TEST(PictureName, QuotesAndPreviewFit)
{
    EXPECT_EQ(stripEnclosingQuotes("\"a b.jpg\""), "a b.jpg");
    EXPECT_EQ(stripEnclosingQuotes("\"a.jpg"), "a.jpg");
    EXPECT_EQ(stripEnclosingQuotes("\""), "");
    EXPECT_EQ(stripEnclosingQuotes(""), "");
    // w = W, h = PH x W / PW; too tall: h = H, w = PW x H / PH; centred with truncation.
    EXPECT_EQ(logoPreviewRect(400, 50, 200, 200), QRect(0, 87, 200, 25));
    EXPECT_EQ(logoPreviewRect(50, 400, 201, 100), QRect(94, 0, 12, 100));
    EXPECT_TRUE(logoPreviewRect(0, 10, 100, 100).isEmpty());
}
