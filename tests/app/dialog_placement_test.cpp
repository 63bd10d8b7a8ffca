#include "app/background_dialog.h"
#include "app/card_format_dialogs.h"
#include "app/qt_prompter.h"
#include "editor/centred_on_screen.h"
#include "editor/text_dialog.h"
#include "support/scripted_prompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace vellamo;

namespace {

class NoPictures : public editor::PictureChooser {
public:
    std::optional<QString> choosePicture() override { return std::nullopt; }
};

QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// Where the dialog stood at each of two showings; it is moved away between them.
std::vector<QRect> twoShowings(QDialog& dialog, const std::function<void()>& open)
{
    std::vector<QRect> seen;
    for (int showing = 0; showing < 2; ++showing) {
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
            seen.push_back(dialog.frameGeometry());
            dialog.reject();
        });
        open();
        dialog.move(available().topLeft() + QPoint(3, 20));
    }
    return seen;
}

void expectCentred(const std::vector<QRect>& seen, const char* what)
{
    ASSERT_EQ(seen.size(), 2u) << what;
    for (const QRect& at : seen) {
        EXPECT_LE(std::abs(at.center().x() - available().center().x()), 1) << what;
        EXPECT_LE(std::abs(at.center().y() - available().center().y()), 1) << what;
    }
    EXPECT_EQ(seen[0].topLeft(), seen[1].topLeft())
        << what << ": the second showing stands where the first did";
}

}  // namespace

TEST(DialogPlacement, CentredOnTheScreenAtEveryShowing)
{
    EXPECT_EQ(editor::centredTopLeft(QSize(200, 100), QRect(0, 0, 800, 600)), QPoint(300, 250));
    EXPECT_EQ(editor::centredTopLeft(QSize(201, 101), QRect(10, 20, 800, 600)), QPoint(309, 269));

    // The owner stands in a corner, so centring on it would not be centring on the screen.
    QWidget owner;
    owner.setGeometry(available().x() + 10, available().y() + 10, 160, 120);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));

    vellamo::testing::ScriptedPrompter formatAsk;
    app::TNewETypForm format(formatAsk, &owner);
    expectCentred(twoShowings(format, [&] { format.run(); }), "Edit Business Card type");

    QTemporaryDir dir;
    document::CardDocument doc;
    NoPictures pictures;
    vellamo::testing::ScriptedPrompter ask;
    app::Tbkgndform background(
        doc, pictures, dir.path() + "/", ask, {}, [] {}, &owner);
    expectCentred(twoShowings(background, [&] { background.Hintergrundbild1Click(); }),
                  "Choose background picture");

    editor::TTxtForm text(&owner);
    expectCentred(twoShowings(text,
                              [&] {
                                  std::string edited;
                                  text.editText(edited);
                              }),
                  "Enter Text...");
}

TEST(MessageBoxes, TheBoxIsWideEnoughForItsCaption)
{
    QWidget owner;
    app::QtPrompter prompter(&owner);
    const QString caption = QStringLiteral("Error: Could not create the file");
    int width = 0;
    int captionWidth = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(box));
        EXPECT_EQ(box->windowTitle(), caption);
        width = box->width();
        captionWidth = box->fontMetrics().horizontalAdvance(caption);
        box->accept();
    });
    prompter.inform(caption, QStringLiteral("Error: Could not create file!"),
                    document::MessageIcon::Information);
    // The caption, the window icon before it and the title bar's buttons behind it.
    EXPECT_GE(width, captionWidth + 100);
}
