#include "editor/text_dialog.h"

#include "dialog_support.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

using namespace vellamo::editor;
using vellamo::testing::whileOpen;

TEST(TextLines, CarriageReturnsSplitStoredText)
{
    EXPECT_EQ(textToMemoLines("A\rB"), (QStringList{"A", "B"}));
    EXPECT_EQ(textToMemoLines(""), QStringList());
    EXPECT_EQ(textToMemoLines("A\r"), QStringList{"A"}) << "no empty last line after a final CR";
    EXPECT_EQ(textToMemoLines("A\r\rB"), (QStringList{"A", "", "B"}));
    EXPECT_EQ(textToMemoLines("\r"), QStringList{""});
    EXPECT_EQ(textToMemoLines("A\nB\rC"), (QStringList{"A\nB", "C"})) << "a line feed stays in its line";
    EXPECT_EQ(textToMemoLines("A\r\nB"), (QStringList{"A", "\nB"}));

    EXPECT_EQ(memoLinesToText({"A", "", "B"}), "A\r\rB");
    EXPECT_EQ(memoLinesToText({}), "");
    EXPECT_EQ(memoLinesToText({""}), "");
    EXPECT_EQ(memoLinesToText({"A"}), "A");
}

TEST(TextLines, TokenGoesBeforeTheSelectionAndTheCaretBehindIt)
{
    TextWithCaret atEnd = insertAtCaret("Hello", 5, fieldToken("First Name"));
    EXPECT_EQ(atEnd.text, "Hello[First Name]");
    EXPECT_EQ(atEnd.caret, 17);

    TextWithCaret inside = insertAtCaret("Hello World", 6, descriptionToken("City"));
    EXPECT_EQ(inside.text, "Hello <City>World");
    EXPECT_EQ(inside.caret, 12);

    EXPECT_EQ(insertAtCaret("", 0, "[Zip]").text, "[Zip]");
    EXPECT_EQ(insertAtCaret("ab", 99, "[Zip]").text, "ab[Zip]");
    EXPECT_EQ(insertAtCaret("ab", -3, "[Zip]").caret, 5);
}

namespace {

QStringList blocks(const QPlainTextEdit* memo)
{
    QStringList result;
    for (QTextBlock b = memo->document()->firstBlock(); b.isValid(); b = b.next())
        result.append(b.text());
    return result;
}

}  // namespace

TEST(TextDialog, StoredTextOpensAsLinesAndComesBackUnchanged)
{
    TTxtForm dialog;
    EXPECT_EQ(dialog.windowTitle(), "Enter Text...");
    // A CR B; a line feed inside a line; a Windows-1252 byte.
    for (std::string stored : {std::string("A\rB"), std::string("A\nB\rC"), std::string("Caf\xE9\r\rEnd")}) {
        const std::string original = stored;
        QStringList shown;
        whileOpen(dialog, [&] {
            shown = dialog.memoLines();
            dialog.okButton->click();
        });
        ASSERT_TRUE(dialog.editText(stored));
        EXPECT_EQ(stored, original);
        EXPECT_EQ(shown, textToMemoLines(QString::fromLatin1(original.data(), qsizetype(original.size()))))
            << original;
    }

    std::string twoLines = "A\rB";
    whileOpen(dialog, [&] {
        EXPECT_EQ(blocks(dialog.Memo1), (QStringList{"A", "B"}));
        dialog.okButton->click();
    });
    dialog.editText(twoLines);

    std::string withFeed = "A\nB";
    whileOpen(dialog, [&] {
        EXPECT_EQ(dialog.Memo1->blockCount(), 1) << "a line feed is no line of the memo";
        dialog.okButton->click();
    });
    dialog.editText(withFeed);
    EXPECT_EQ(withFeed, "A\nB");
}

TEST(TextDialog, TypedLinesAreStoredWithSingleCarriageReturns)
{
    TTxtForm dialog;
    std::string text = "old";
    whileOpen(dialog, [&] {
        dialog.Memo1->clear();
        QTest::keyClicks(dialog.Memo1, "A");
        QTest::keyClick(dialog.Memo1, Qt::Key_Return);
        QTest::keyClick(dialog.Memo1, Qt::Key_Return);
        QTest::keyClicks(dialog.Memo1, "B");
        dialog.okButton->click();
    });
    ASSERT_TRUE(dialog.editText(text));
    EXPECT_EQ(text, "A\r\rB") << "the empty middle line survives";

    whileOpen(dialog, [&] {
        QTest::keyClick(dialog.Memo1, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(dialog.Memo1, Qt::Key_Return);
        dialog.okButton->click();
    });
    ASSERT_TRUE(dialog.editText(text));
    EXPECT_EQ(text, "A\r\rB") << "a line break at the end adds no line";

    whileOpen(dialog, [&] {
        dialog.Memo1->clear();
        dialog.okButton->click();
    });
    ASSERT_TRUE(dialog.editText(text));
    EXPECT_EQ(text, "");

    text = "keep\rme";
    whileOpen(dialog, [&] {
        QTest::keyClicks(dialog.Memo1, "typed");
        dialog.cancelButton->click();
    });
    EXPECT_FALSE(dialog.editText(text));
    EXPECT_EQ(text, "keep\rme");

    whileOpen(dialog, [&] {
        dialog.Memo1->setPlainText(QString::fromUtf8("\u20ac and \u4e2d"));
        dialog.okButton->click();
    });
    ASSERT_TRUE(dialog.editText(text));
    EXPECT_EQ(text, "\x80 and ?") << "stored as Windows-1252";
}

TEST(TextDialog, TabAndShiftTabMoveTheFocusAndTypeNothing)
{
    TTxtForm dialog;
    std::string text = "old";
    QWidget* afterTab = nullptr;
    QWidget* afterShiftTab = nullptr;
    whileOpen(dialog, [&] {
        dialog.Memo1->clear();
        QTest::keyClicks(dialog.Memo1, "Nordlicht Design");
        QTest::keyClick(dialog.Memo1, Qt::Key_Tab);
        afterTab = dialog.focusWidget();
        dialog.Memo1->setFocus();
        QTest::keyClick(dialog.Memo1, Qt::Key_Backtab, Qt::ShiftModifier);
        afterShiftTab = dialog.focusWidget();
        dialog.Memo1->setFocus();
        QTest::keyClick(dialog.Memo1, Qt::Key_Tab);
        dialog.okButton->click();
    });
    ASSERT_TRUE(dialog.editText(text));
    EXPECT_EQ(text, "Nordlicht Design");
    EXPECT_EQ(afterTab, dialog.ComboBox1);
    EXPECT_NE(afterShiftTab, dialog.Memo1);
    EXPECT_NE(afterShiftTab, nullptr);
}

TEST(TextDialog, OpeningFocusesTheMemoAndChoosesTitle)
{
    TTxtForm dialog;
    std::string text = "x";
    whileOpen(dialog, [&] {
        dialog.ComboBox1->setCurrentIndex(5);
        dialog.okButton->click();
    });
    dialog.editText(text);
    whileOpen(dialog, [&] {
        EXPECT_EQ(dialog.focusWidget(), dialog.Memo1);
        ASSERT_EQ(dialog.ComboBox1->count(), 29);
        EXPECT_EQ(dialog.ComboBox1->currentIndex(), 0);
        EXPECT_EQ(dialog.ComboBox1->currentText(), "Title");
        EXPECT_EQ(dialog.ComboBox1->itemText(28), "Company slogan");
        EXPECT_FALSE(dialog.ComboBox1->isEditable());
    });
    dialog.editText(text);
}

TEST(TextDialog, InsertButtonsPutTokensAtTheCaret)
{
    TTxtForm dialog;
    std::string text = "Hello";
    whileOpen(dialog, [&] {
        dialog.ComboBox1->setCurrentText("First Name");
        dialog.Memo1->moveCursor(QTextCursor::End);
        dialog.AdddBtn->click();
        EXPECT_EQ(dialog.Memo1->toPlainText(), "Hello[First Name]");
        EXPECT_EQ(dialog.Memo1->textCursor().position(), 17) << "caret after the closing bracket";
        EXPECT_FALSE(dialog.Memo1->textCursor().hasSelection());
        EXPECT_EQ(dialog.focusWidget(), dialog.Memo1);
        dialog.AddBtn2->click();
        EXPECT_EQ(dialog.Memo1->toPlainText(), "Hello[First Name]<First Name>");
        EXPECT_EQ(dialog.Memo1->textCursor().position(), 29);
        dialog.okButton->click();
    });
    ASSERT_TRUE(dialog.editText(text));
    EXPECT_EQ(text, "Hello[First Name]<First Name>");

    text = "Dear\rWorld\nwide";
    whileOpen(dialog, [&] {
        dialog.ComboBox1->setCurrentText("City");
        // Select "World" on the second line.
        QTextCursor select = dialog.Memo1->textCursor();
        select.setPosition(5);
        select.setPosition(10, QTextCursor::KeepAnchor);
        dialog.Memo1->setTextCursor(select);
        dialog.AdddBtn->click();
        EXPECT_EQ(dialog.Memo1->textCursor().position(), 11);
        dialog.okButton->click();
    });
    ASSERT_TRUE(dialog.editText(text));
    EXPECT_EQ(text, "Dear\r[City]World\nwide") << "the selection is kept and the line feed too";
}
