#include "app/main_window.h"

#include "addressbook/address_page.h"
#include "editor/dialog_support.h"
#include "editor/editor_page.h"
#include "print/jpeg_quality_dialog.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_prompter.h"

#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace vellamo;
using document::Answer;
using vellamo::testing::ScriptedFormatChooser;
using vellamo::testing::ScriptedFormatEditor;
using vellamo::testing::ScriptedPrompter;

namespace {

struct Shell {
    QTemporaryDir home;
    ScriptedPrompter ask;
    ScriptedFormatChooser formats;
    ScriptedFormatEditor editor;
    std::unique_ptr<app::TSDIAppForm> window;

    Shell()
    {
        window =
            std::make_unique<app::TSDIAppForm>(home.path() + "/", app::ShellDialogs{&ask, &formats, &editor});
    }

    // Shows the window and lets the start-up timer run New.
    void start()
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->doc().StartupNewDone; }, 2000));
    }
    QString file(const QString& name) const { return home.filePath(name); }
};

document::CardFormat wideFormat()
{
    document::CardFormat f = document::defaultCardFormat();
    f.CardWidth = 180;
    f.PitchX = 180;
    f.Columns = 1;
    return f;
}

}  // namespace

TEST(MainWindow, FreshWindowPagesAndMenus)
{
    Shell s;
    EXPECT_EQ(s.window->windowTitle(), "Korvend Vellamo 3.5 - NONAME01");
    ASSERT_EQ(s.window->pages()->count(), 4);
    EXPECT_EQ(s.window->pages()->tabText(0), "Addresses");
    EXPECT_EQ(s.window->pages()->tabText(1), "Template assistant");
    EXPECT_EQ(s.window->pages()->tabText(2), "Editor");
    EXPECT_EQ(s.window->pages()->tabText(3), "Print");
    EXPECT_EQ(s.window->pages()->currentIndex(), 0);
    EXPECT_EQ(s.window->InfoPanel()->text(),
              QLocale().decimalPoint() == u'.' ? "2 x 5 Business Cards at 3.54 in x 2.17 in per sheet "
                                                 "[Spaces 3.54 in ; 2.17 in][Margin 0.00 in ; 0.00 in]"
                                               : document::FormatDescription(document::defaultCardFormat()));
    EXPECT_EQ(s.window->progressBar()->maximum(), 100);

    QAction* quit = s.window->action("&Quit");
    ASSERT_TRUE(quit);
    EXPECT_EQ(quit->shortcut(), QKeySequence("Alt+X"));
    EXPECT_EQ(quit->statusTip(), "Quit program");
    EXPECT_EQ(s.window->action("Save as...")->shortcut(), QKeySequence("Ctrl+U"));
    EXPECT_EQ(s.window->action("Background picture...")->statusTip(),
              "Chages the properties of the background picture");
    const QList<QAction*> file = s.window->menuBar()->actions()[0]->menu()->actions();
    ASSERT_EQ(file.size(), 12);
    EXPECT_TRUE(file[4]->isSeparator());
    EXPECT_TRUE(file[7]->isSeparator());
    EXPECT_TRUE(file[10]->isSeparator());
    EXPECT_EQ(s.window->menuBar()->actions()[2]->text(), "&Help");

    // The address grids have their headings and field names.
    QTableWidget* grid = s.window->addressesPage()->editGrid();
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Field");
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Content");
    EXPECT_EQ(grid->item(28, 0)->text(), "Company slogan");
}

TEST(MainWindow, CancelledListAtStartKeepsTheDefaultAndALaterNewAsks)
{
    Shell s;
    s.formats.answers = {std::nullopt};
    s.start();
    EXPECT_EQ(s.formats.shown, 1);
    EXPECT_TRUE(s.ask.messages.empty()) << "no save question at start";
    EXPECT_EQ(s.window->doc().Format, document::defaultCardFormat());
    EXPECT_FALSE(s.window->doc().hasUsedSlot());

    s.ask.answers = {Answer::No};
    s.formats.answers = {wideFormat()};
    s.window->Neu1Click();
    ASSERT_EQ(s.ask.messages.size(), 1u);
    EXPECT_EQ(s.ask.messages[0].caption, "New Business Card");
    EXPECT_EQ(s.ask.messages[0].text, "Do you want to save before?");
    EXPECT_EQ(s.window->doc().Format.CardWidth, 180);
    EXPECT_EQ(s.window->editorPage()->view()->surfaceWidth(), 2044) << "the surface follows the new format";
    EXPECT_EQ(s.window->editorPage()->view()->scrollX(),
              2044 / 3 < s.window->editorPage()->view()->horizontalScrollBar()->maximum()
                  ? 2044 / 3
                  : s.window->editorPage()->view()->horizontalScrollBar()->maximum());
}

TEST(MainWindow, UnnamedSaveIsSaveAsAndACancelKeepsQuitFromQuitting)
{
    Shell s;
    s.start();
    s.ask.answers = {Answer::Yes};  // save before quitting; the save dialog is then cancelled
    s.window->ExitItemClick();
    EXPECT_TRUE(s.window->isVisible());
    ASSERT_EQ(s.ask.messages.size(), 1u);
    EXPECT_EQ(s.ask.messages[0].caption, "Quit program");
    EXPECT_EQ(s.ask.saveRequests.size(), 1u);

    s.ask.saveFiles = {s.file("card.vis")};
    EXPECT_TRUE(s.window->SaveItemClick());
    EXPECT_EQ(s.window->windowTitle(), "Korvend Vellamo 3.5 - card.vis");
    EXPECT_TRUE(QFile::exists(s.file("card.vis")));

    s.ask.answers = {Answer::Cancel};
    s.window->ExitItemClick();
    EXPECT_TRUE(s.window->isVisible());
    s.ask.answers = {Answer::No};
    s.window->ExitItemClick();
    EXPECT_FALSE(s.window->isVisible());
}

TEST(MainWindow, CloseBoxQuitsWithoutAskingAndSavesTheAddressBook)
{
    Shell s;
    s.start();
    s.window->addressesPage()->setLabel(30, "kept");
    s.window->close();
    EXPECT_FALSE(s.window->isVisible());
    EXPECT_TRUE(s.ask.messages.empty());
    QFile book(s.file("AdrDB.dat"));
    ASSERT_TRUE(book.open(QIODevice::ReadOnly));
    EXPECT_EQ(book.size(), 158 + 4);
}

TEST(MainWindow, CardFormatCommandResizesTheSurfaceAndKeepsObjects)
{
    Shell s;
    s.start();
    s.window->doc().object(3).Kind = document::ShapeObject;
    s.window->doc().object(3).Left = 1234;
    s.editor.results = {false, true};
    s.editor.edit = [](document::CardFormatDialogValues& v) { v.BrED = 4; };
    s.window->Etikettenformat1Click();
    EXPECT_EQ(s.window->doc().Format.CardWidth, 90);
    EXPECT_NEAR(s.editor.shown[0].BrED, 90 / 25.39995, 1e-12);
    s.window->Etikettenformat1Click();
    EXPECT_NEAR(s.window->doc().Format.CardWidth, 4 * 25.39995, 1e-9);
    EXPECT_EQ(s.window->doc().CardExtentX, 240000);
    EXPECT_EQ(s.window->editorPage()->view()->surfaceWidth(), 240000 / 208);
    EXPECT_TRUE(s.window->InfoPanel()->text().contains("4"));
    EXPECT_EQ(s.window->doc().object(3).Left, 1234);
}

TEST(MainWindow, StartupCardOpensInsteadOfNew)
{
    Shell s;
    document::CardDocument card;
    card.object(9).Kind = document::TextObject;
    card.object(9).Text = "hello";
    ASSERT_TRUE(document::Saveit(card, s.file("start.vis"), s.ask));
    s.window->setStartupCard(s.file("start.vis"));
    s.start();
    EXPECT_EQ(s.formats.shown, 0);
    EXPECT_EQ(s.window->doc().object(9).Text, "hello");
    EXPECT_EQ(s.window->windowTitle(), "Korvend Vellamo 3.5 - start.vis");
}

TEST(MainWindow, JpegQualityValuesLastBetweenRuns)
{
    {
        Shell s;
        print::TJPEGQForm* dialog = s.window->jpegQualityDialog();
        ASSERT_TRUE(dialog);
        vellamo::testing::whileOpen(*dialog, [dialog] {
            dialog->QualED1->setValue(33);
            QTest::mouseClick(dialog->okButton, Qt::LeftButton);
        });
        EXPECT_EQ(dialog->chooseJpegQuality(), 33);
    }
    {
        Shell s;
        print::TJPEGQForm* dialog = s.window->jpegQualityDialog();
        EXPECT_EQ(dialog->QualED1->value(), 33);
        EXPECT_EQ(dialog->QualED2->value(), 33);
        // Cancel keeps what was moved, for this run and the next.
        vellamo::testing::whileOpen(*dialog, [dialog] {
            dialog->QualED2->setValue(75);
            QTest::mouseClick(dialog->cancelButton, Qt::LeftButton);
        });
        EXPECT_EQ(dialog->chooseJpegQuality(), std::nullopt);
    }
    Shell s;
    EXPECT_EQ(s.window->jpegQualityDialog()->QualED1->value(), 75);
}
