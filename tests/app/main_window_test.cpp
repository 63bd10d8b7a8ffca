#include "app/main_window.h"

#include "addressbook/address_database.h"
#include "addressbook/address_page.h"
#include "document/card_file.h"
#include "document/card_model.h"
#include "editor/dialog_support.h"
#include "editor/editor_page.h"
#include "editor/object_popup.h"
#include "print/jpeg_quality_dialog.h"
#include "print/print_page.h"
#include "support/files.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_prompter.h"
#include "templates/template_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
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

// A description written with decimal points, as the user's locale shows it.
QString withLocaleDecimals(QString text) { return text.replace(u'.', QLocale().decimalPoint()); }

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
              withLocaleDecimals("2 x 5 Business Cards at 3.54 in x 2.17 in per sheet "
                                 "[Spaces 3.54 in ; 2.17 in][Margin 0.00 in ; 0.00 in]"));
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
    EXPECT_EQ(s.window->menuBar()->actions()[3]->text(), "&Help");

    // The address grids have their headings and field names.
    QTableWidget* grid = s.window->addressesPage()->editGrid();
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Field");
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Content");
    EXPECT_EQ(grid->item(28, 0)->text(), "Company slogan");
}

TEST(MainWindow, TabLeavesEveryMultiLineField)
{
    Shell s;
    QList<QAbstractScrollArea*> fields;
    for (QPlainTextEdit* field : s.window->findChildren<QPlainTextEdit*>())
        fields.append(field);
    for (QTextEdit* field : s.window->findChildren<QTextEdit*>())
        fields.append(field);
    ASSERT_FALSE(fields.isEmpty()) << "the text dialog's memo at least";
    for (QAbstractScrollArea* field : fields) {
        const auto* plain = qobject_cast<QPlainTextEdit*>(field);
        const auto* rich = qobject_cast<QTextEdit*>(field);
        EXPECT_TRUE(plain ? plain->tabChangesFocus() : rich->tabChangesFocus())
            << field->objectName().toStdString();
    }
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
    // 3 x 180 mm is Trunc(10800000 / 25.39995) = 425197 units, 2044 pixels at 1 / 208.
    EXPECT_EQ(s.window->editorPage()->view()->surfaceWidth(), 2044) << "the surface follows the new format";
    // The view, a few hundred pixels wide, starts at the card cell: a third of the surface.
    EXPECT_EQ(s.window->editorPage()->view()->scrollX(), 681);
    EXPECT_EQ(s.window->editorPage()->view()->scrollY(), 208);
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
    s.window->addresses().setLabel(30, "kept");
    s.window->close();
    EXPECT_FALSE(s.window->isVisible());
    EXPECT_TRUE(s.ask.messages.empty());
    QFile book(s.file("AdrDB.dat"));
    ASSERT_TRUE(book.open(QIODevice::ReadOnly));
    EXPECT_EQ(book.size(), 158 + 4);
}

TEST(MainWindow, CardFormatCommandResizesTheSurfaceAndMovesObjectsWithTheCard)
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
    EXPECT_EQ(s.window->InfoPanel()->text(),
              withLocaleDecimals("2 x 5 Business Cards at 4.00 in x 2.17 in per sheet "
                                 "[Spaces 4.00 in ; 2.17 in][Margin 0.00 in ; 0.00 in]"));
    // The card's corner moved from 70866 (90 mm) to 80000 units (4 in); the object with it.
    EXPECT_EQ(s.window->doc().object(3).Left, 1234 + 80000 - 70866);
    s.window->model().history().undo();
    EXPECT_EQ(s.window->doc().Format.CardWidth, 90);
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

TEST(MainWindow, PopupHintsShowInTheStatusBar)
{
    Shell s;
    s.start();
    editor::EditorPage* page = s.window->editorPage();
    s.window->pages()->setCurrentWidget(page);
    // The menus open without blocking, so the test can move the mouse over them.
    page->showMenu = [](QMenu& menu, QPoint at) { menu.popup(at); };
    auto hintWhileOver = [&](QMenu& menu, const QString& caption) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&menu));
        QAction* item = nullptr;
        for (QAction* a : menu.actions()) {
            if (a->text().startsWith(caption))
                item = a;
        }
        EXPECT_TRUE(item) << caption.toStdString();
        if (!item)
            return QString();
        const QPoint at = menu.actionGeometry(item).center();
        // A menu ignores the first small moves after it opened.
        for (int step = 0; step < 8; ++step) {
            QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(menu.mapToGlobal(at)), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(&menu, &move);
        }
        const QString shown = s.window->statusBar()->currentMessage();
        menu.hide();
        return shown;
    };

    // A right-click on the empty editing area: the background popup.
    page->view()->setScroll(0, 0);
    QTest::mouseClick(page->view()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    ASSERT_TRUE(page->PBoxPopup()->isVisible());
    EXPECT_EQ(hintWhileOver(*page->PBoxPopup(), "Background picture..."),
              "Chages the properties of the background picture");

    // A right-click on an object: the object popup.
    document::Tobs& shape = s.window->doc().object(1);
    shape.Kind = document::ShapeObject;
    shape.Left = 0;
    shape.Top = 0;
    shape.Width = 40 * 208;
    shape.Height = 40 * 208;
    QTest::mouseClick(page->view()->viewport(), Qt::RightButton, {}, QPoint(20, 20));
    ASSERT_TRUE(page->PopupMenu1()->isVisible());
    EXPECT_EQ(hintWhileOver(*page->PopupMenu1(), "&Delete..."), "Deletes the object");
    QTest::mouseClick(page->view()->viewport(), Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_EQ(hintWhileOver(*page->PopupMenu1(), "Line &vertical"), "The object is a vertical line");
}

TEST(MainWindow, TheWholeCardFormatDescriptionShowsAtTheFirstSize)
{
    Shell s;
    s.start();
    s.editor.results = {true};
    s.editor.edit = [](document::CardFormatDialogValues& v) {
        v.RLED = 1234.5;  // a long description
        v.ROED = 999.25;
    };
    s.window->Etikettenformat1Click();
    QApplication::processEvents();
    QLabel* panel = s.window->InfoPanel();
    const QRect room = panel->contentsRect();
    const QRect needed = panel->fontMetrics().boundingRect(room, Qt::TextWordWrap, panel->text());
    EXPECT_TRUE(panel->text().endsWith(withLocaleDecimals("[Margin 1234.50 in ; 999.25 in]")));
    EXPECT_LE(needed.width(), room.width());
    EXPECT_LE(needed.height(), room.height()) << "no line of the text is cut off";
    EXPECT_EQ(panel->toolTip(), panel->text());
}

namespace {

QAction* editItem(app::TSDIAppForm& window, const char* name)
{
    return window.menuBar()->findChild<QAction*>(QString::fromLatin1(name));
}

// One change of the card through the model, as a command makes it.
void recolour(document::CardModel& model, int slot, std::int32_t colour)
{
    document::CardChange change(model, QStringLiteral("Colour"));
    change.object(slot).Color = colour;
    change.commit();
}

}  // namespace

TEST(MainWindow, EditMenuStandsBetweenFileAndOptions)
{
    Shell s;
    s.start();
    const QList<QAction*> menus = s.window->menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[0]->text(), "File");
    EXPECT_EQ(menus[1]->text(), "Edit");
    EXPECT_EQ(menus[2]->text(), "Options");
    QMenu* edit = menus[1]->menu();
    const QList<QAction*> items = edit->actions();
    ASSERT_EQ(items.size(), 7);
    EXPECT_TRUE(items[2]->isSeparator());
    struct Expected {
        const char* caption;
        QList<QKeySequence> keys;
    };
    const Expected expected[] = {
        {"&Undo", {QKeySequence("Ctrl+Z")}},
        {"&Redo", {QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}},
        {nullptr, {}},
        {"Cu&t", {QKeySequence("Ctrl+X")}},
        {"&Copy", {QKeySequence("Ctrl+C")}},
        {"&Paste", {QKeySequence("Ctrl+V")}},
        {"D&uplicate", {QKeySequence("Ctrl+J")}},
    };
    // Opened from the menu bar, as the user opens it, so that its hints reach the status bar.
    s.window->menuBar()->setActiveAction(menus[1]);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    for (int i = 0; i < 7; ++i) {
        if (!expected[i].caption)
            continue;
        SCOPED_TRACE(expected[i].caption);
        EXPECT_EQ(items[i]->text(), expected[i].caption);
        EXPECT_EQ(items[i]->shortcuts(), expected[i].keys);
        EXPECT_FALSE(items[i]->statusTip().isEmpty());
        // Nothing to undo, redo or act on yet, and an empty clipboard.
        EXPECT_FALSE(items[i]->isEnabled());
        s.window->statusBar()->clearMessage();
        items[i]->setEnabled(true);
        QTest::mouseMove(edit, edit->actionGeometry(items[i]).center());
        EXPECT_EQ(s.window->statusBar()->currentMessage(), items[i]->statusTip()) << "the hint is shown";
        items[i]->setEnabled(false);
    }
    edit->hide();

    document::CardDocument& doc = s.window->doc();
    doc.object(2).Kind = document::ShapeObject;
    s.window->model().select(2);
    EXPECT_FALSE(editItem(*s.window, "CopyItem")->isEnabled()) << "only while the Editor page is shown";
    s.window->pages()->setCurrentWidget(s.window->editorPage());
    EXPECT_TRUE(editItem(*s.window, "CopyItem")->isEnabled());
    EXPECT_TRUE(editItem(*s.window, "CutItem")->isEnabled());
    EXPECT_TRUE(editItem(*s.window, "DuplicateItem")->isEnabled());
    recolour(s.window->model(), 2, 0x00FF00);
    QAction* undo = editItem(*s.window, "UndoItem");
    QAction* redo = editItem(*s.window, "RedoItem");
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), "&Undo Colour");
    undo->trigger();
    EXPECT_EQ(doc.object(2).Color, 0);
    EXPECT_EQ(undo->text(), "&Undo");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text(), "&Redo Colour");
    redo->trigger();
    EXPECT_EQ(doc.object(2).Color, 0x00FF00);

    editItem(*s.window, "CopyItem")->trigger();
    EXPECT_TRUE(editItem(*s.window, "PasteItem")->isEnabled());
}

TEST(MainWindow, NewAndOpenClearTheHistory)
{
    Shell s;
    s.start();
    s.window->doc().object(1).Kind = document::ShapeObject;
    recolour(s.window->model(), 1, 7);
    s.ask.saveFiles = {s.file("a.vis")};
    ASSERT_TRUE(s.window->SaveItemClick());
    recolour(s.window->model(), 1, 8);

    s.ask.answers = {Answer::No};
    ASSERT_TRUE(s.window->openCard(s.file("a.vis")));
    EXPECT_FALSE(s.window->model().history().canUndo());
    EXPECT_FALSE(s.window->model().isModified());
    EXPECT_FALSE(editItem(*s.window, "UndoItem")->isEnabled());
    EXPECT_EQ(s.window->doc().object(1).Color, 7);

    recolour(s.window->model(), 1, 9);
    s.ask.answers = {Answer::No};
    s.formats.answers = {wideFormat()};
    s.window->Neu1Click();
    EXPECT_FALSE(s.window->model().history().canUndo());
    EXPECT_FALSE(s.window->doc().hasUsedSlot());
}

TEST(MainWindow, CloseBoxAsksOnlyWithUnsavedChanges)
{
    Shell s;
    s.start();
    s.window->doc().object(1).Kind = document::ShapeObject;
    recolour(s.window->model(), 1, 7);
    s.ask.answers = {Answer::Cancel};
    s.window->close();
    EXPECT_TRUE(s.window->isVisible()) << "Cancel keeps the program";
    ASSERT_EQ(s.ask.messages.size(), 1u);
    EXPECT_EQ(s.ask.messages[0].caption, "Quit program");
    EXPECT_EQ(s.ask.messages[0].text, "Do you want to save before?");
    EXPECT_EQ(s.ask.messages[0].buttons, document::MessageButtons::YesNoCancel);
    EXPECT_EQ(s.ask.messages[0].icon, document::MessageIcon::Question);

    // Yes, with the save dialog cancelled: nothing saved, so nothing closes.
    s.ask.answers = {Answer::Yes};
    s.window->close();
    EXPECT_TRUE(s.window->isVisible());

    // Yes and a name: saved, then closed.
    s.ask.answers = {Answer::Yes};
    s.ask.saveFiles = {s.file("kept.vis")};
    s.window->close();
    EXPECT_FALSE(s.window->isVisible());
    EXPECT_TRUE(QFile::exists(s.file("kept.vis")));
}

TEST(MainWindow, UndoingBackToTheSavedCardClosesWithoutAQuestion)
{
    Shell s;
    s.start();
    s.window->doc().object(1).Kind = document::ShapeObject;
    s.ask.saveFiles = {s.file("b.vis")};
    ASSERT_TRUE(s.window->SaveItemClick());
    recolour(s.window->model(), 1, 5);
    EXPECT_TRUE(s.window->model().isModified());
    s.window->model().history().undo();
    s.window->close();
    EXPECT_FALSE(s.window->isVisible());
    EXPECT_TRUE(s.ask.messages.empty());
}

TEST(MainWindow, AdoptingATemplateIsOneStepThatUndoes)
{
    Shell s;
    s.start();
    templates::TemplatePage* page = s.window->templatePage();
    EXPECT_EQ(page->Label3()->text(), "This is a random selection of 72 cards of 72 possible cards.")
        << "generated at the first show (no logo, no sky in a fresh folder)";
    page->radio("TextRadio")->setChecked(true);
    page->check("BkGndCheck")->setChecked(false);
    page->RenderBtnClick();

    // Slot 1 once held a turned, shadowed red text.
    {
        document::CardChange change(s.window->model(), "Text");
        document::Tobs& o = change.object(1);
        o.Kind = document::TextObject;
        o.Text = "old";
        o.Color = 0x0000FF;
        o.FontColor = 0x0000FF;
        o.Rotation = 1;
        o.Shadow = true;
        change.commit();
    }
    const QByteArray before = document::cardToBytes(s.window->doc());

    s.ask.answers = {Answer::Cancel, Answer::No};
    page->UseTemplateBtnClick();
    ASSERT_EQ(s.ask.messages.size(), 1u);
    EXPECT_EQ(s.ask.messages[0].caption, "Opens the template in the editor");
    EXPECT_EQ(document::cardToBytes(s.window->doc()), before) << "Cancel changes nothing";

    page->UseTemplateBtnClick();
    const document::Tobs& first = s.window->doc().object(1);
    EXPECT_EQ(first.Kind, document::TextObject);
    EXPECT_EQ(first.Color, 0);
    EXPECT_EQ(first.FontColor, 0);
    EXPECT_EQ(first.Rotation, 0) << "nothing of the old object comes back";
    EXPECT_FALSE(first.Shadow);
    EXPECT_EQ(s.window->doc().object(2).Kind, document::TextObject);
    EXPECT_EQ(s.window->doc().object(3).Kind, document::FreeSlot);
    EXPECT_EQ(s.window->doc().SelectedObject, 0);
    EXPECT_EQ(s.window->pages()->currentWidget(), s.window->editorPage());
    EXPECT_EQ(s.window->model().history().undoText(), "Template");

    s.window->model().history().undo();
    EXPECT_EQ(document::cardToBytes(s.window->doc()), before) << "one undo step brings the old card back";
    s.window->model().history().redo();
    EXPECT_EQ(s.window->doc().object(1).Color, 0);
}

TEST(MainWindow, BackgroundAndCardFormatAreStepsThatUndoToTheSameFile)
{
    Shell s;
    s.start();
    document::CardDocument& doc = s.window->doc();
    doc.object(3).Kind = document::ShapeObject;
    doc.BackgroundMode = document::TileBackground;
    doc.BackgroundFile = "back.png";
    ASSERT_TRUE(imaging::newdib(doc.BackgroundPicture, 8, 8, 24, nullptr, 0));
    const qint64 picture = doc.BackgroundPicture.image().cacheKey();
    const QByteArray before = document::cardToBytes(doc);

    // "None", then "Back...", as the user would in the dialog.
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        dialog->findChild<QPushButton*>("NoBkGndBtn")->click();
        dialog->findChild<QPushButton*>("OkBitBtn1")->click();
    });
    s.window->Hintergrundbild1Click();
    EXPECT_EQ(doc.BackgroundMode, document::NoBackground);
    const QByteArray without = document::cardToBytes(doc);
    EXPECT_NE(without, before);
    EXPECT_EQ(s.window->model().history().undoText(), "Background");
    s.window->model().history().undo();
    EXPECT_EQ(document::cardToBytes(doc), before);
    EXPECT_EQ(doc.BackgroundPicture.image().cacheKey(), picture) << "the same picture is back";
    s.window->model().history().redo();
    EXPECT_EQ(document::cardToBytes(doc), without);

    s.editor.results = {true};
    s.editor.edit = [](document::CardFormatDialogValues& v) { v.BrED = 4; };
    s.window->Etikettenformat1Click();
    EXPECT_EQ(s.window->model().history().undoText(), "Card Format");
    EXPECT_EQ(s.window->editorPage()->view()->surfaceWidth(), 240000 / 208);
    s.window->model().history().undo();
    EXPECT_EQ(document::cardToBytes(doc), without);
    EXPECT_EQ(s.window->editorPage()->view()->surfaceWidth(), 212598 / 208) << "the surface follows the undo";
    EXPECT_EQ(s.window->InfoPanel()->text(), document::FormatDescription(doc.Format));
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

TEST(MainWindow, PrintCommandsAndCutLinesSetting)
{
    {
        Shell s;
        QAction* calibrate = s.window->action("Calibrate printer...");
        ASSERT_TRUE(calibrate);
        EXPECT_EQ(calibrate->statusTip(), "Use this for every new printer to get exact printouts!");
        QAction* print = s.window->action("Print...");
        ASSERT_TRUE(print);
        EXPECT_EQ(print->shortcut(), QKeySequence("Ctrl+D"));
        EXPECT_EQ(s.window->action("Setup printer...")->shortcut(), QKeySequence("Ctrl+E"));
        ASSERT_TRUE(s.window->printPage());
        EXPECT_EQ(s.window->pages()->widget(3), s.window->printPage());
        // Into a PDF file, whatever printers this machine has: the file is asked for.
        print::useDefaultPdfPage(s.window->printPage()->printer());
        print->trigger();
        ASSERT_EQ(s.ask.saveRequests.size(), 1u);
        EXPECT_EQ(s.ask.saveRequests[0].filter, "PDF files (*.pdf)|*.pdf");
        s.window->printPage()->SchneidBtn->setChecked(true);
    }
    {
        Shell s;
        EXPECT_TRUE(s.window->printPage()->SchneidBtn->isChecked()) << "kept between runs";
        s.window->printPage()->SchneidBtn->setChecked(false);
    }
    Shell s;
    EXPECT_FALSE(s.window->printPage()->SchneidBtn->isChecked());
}

TEST(MainWindow, DoubleClickInTheAddressListOpensTheTemplateAssistant)
{
    Shell s;
    s.start();
    addressbook::AddressRecord anna;
    anna.strings[1] = "Anna";
    anna.strings[2] = "Berg";
    s.window->addresses().appendRecords({anna, anna});
    s.window->pages()->setCurrentIndex(0);
    QListWidget* list = s.window->addressesPage()->AdrList();
    s.window->addressesPage()->subPages()->setCurrentIndex(0);
    QApplication::processEvents();
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(s.window->addresses().currentIndex(), 1);
    EXPECT_EQ(s.window->pages()->currentWidget(), s.window->templatePage());
}

TEST(MainWindow, AddressButtonsImportAndExportAndTheMergeFollowsTheBook)
{
    Shell s;
    s.start();
    s.window->pages()->setCurrentIndex(0);
    auto button = [&](const QString& caption) {
        for (QPushButton* b : s.window->addressesPage()->findChildren<QPushButton*>())
            if (b->text() == caption)
                return b;
        return static_cast<QPushButton*>(nullptr);
    };
    // Beside "New Address" and "&Delete Address..." on the Edit page.
    s.window->addressesPage()->subPages()->setCurrentIndex(1);
    QApplication::processEvents();
    QPushButton* importButton = button("Import addresses...");
    QPushButton* exportButton = button("Export addresses...");
    ASSERT_TRUE(importButton && exportButton);
    EXPECT_TRUE(importButton->isVisible());

    QFile vcf(s.file("two.vcf"));
    ASSERT_TRUE(vcf.open(QIODevice::WriteOnly));
    vcf.write("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Anna;;;\r\nFN:Anna Berg\r\nEND:VCARD\r\n"
              "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Dahl;Ole;;;\r\nFN:Ole Dahl\r\nEND:VCARD\r\n");
    vcf.close();
    s.ask.openFiles = {s.file("two.vcf")};
    QTest::mouseClick(importButton, Qt::LeftButton);
    ASSERT_EQ(s.ask.openRequests.size(), 1u);
    QListWidget* list = s.window->addressesPage()->AdrList();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "Berg Anna");
    EXPECT_EQ(list->item(1)->text(), "Dahl Ole");
    // Imported into an empty book: the first address is current and standard, so cards show it.
    EXPECT_EQ(s.window->addresses().currentIndex(), 0);
    EXPECT_EQ(s.window->addresses().standardIndex(), 0);
    EXPECT_TRUE(s.window->addresses().hasCurrentAddress());
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(s.window->addressesPage()->StdAdrCheck()->isChecked());
    EXPECT_EQ(s.window->addressesPage()->editGrid()->item(1, 1)->text(), "Anna");

    // The Print page's merge counts the imported addresses.
    print::PrintPage* printPage = s.window->printPage();
    printPage->MergeBtn->setChecked(true);
    EXPECT_EQ(printPage->KopiesED->value(), 2);

    s.ask.saveFiles = {s.file("out.vcf")};
    QTest::mouseClick(exportButton, Qt::LeftButton);
    QFile out(s.file("out.vcf"));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QByteArray written = out.readAll();
    EXPECT_EQ(written.count("BEGIN:VCARD"), 2);
    EXPECT_TRUE(written.contains("N:Dahl;Ole;;;"));
}

TEST(MainWindow, TheAddressBookIsSharedWithTheCommandLineWhileTheWindowIsOpen)
{
    Shell s;
    s.start();
    QFile vcf(s.file("one.vcf"));
    ASSERT_TRUE(vcf.open(QIODevice::WriteOnly));
    vcf.write("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Dahl;Ole;;;\r\nEND:VCARD\r\n");
    vcf.close();
    QProcess import;
    import.start(QStringLiteral(VELLAMO_EXECUTABLE),
                 {"--home", s.home.path(), "addresses", "import", s.file("one.vcf")});
    ASSERT_TRUE(import.waitForFinished(60000));
    ASSERT_EQ(import.exitCode(), 0) << import.readAllStandardError().toStdString();

    // A new address here is written at once, beside the imported one.
    s.window->addresses().NewAddress("Anna", "Berg", false);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return addressbook::addressBookFromBytes(vellamo::testing::readFile(s.file("AdrDB.dat")))
                   .records.size() == 2;
    }));
    EXPECT_EQ(s.window->addresses().count(), 2) << "the window shows the imported address";
    s.window->close();
    const auto book = addressbook::addressBookFromBytes(vellamo::testing::readFile(s.file("AdrDB.dat")));
    ASSERT_EQ(book.records.size(), 2u);
    EXPECT_EQ(book.records[0].strings[2], "Berg");
    EXPECT_EQ(book.records[1].strings[2], "Dahl");
}
