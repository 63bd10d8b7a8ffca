#include "app/card_format_dialogs.h"

#include "document/card_stocks.h"
#include "support/modal_dialogs.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_prompter.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace vellamo;

using vellamo::testing::whenOpen;

namespace {

}  // namespace

TEST(CardFormatListDialog, OpensOnTheCardsOwnFormatWhenTheListHoldsIt)
{
    QTemporaryDir dir;
    vellamo::testing::ScriptedFormatEditor editor;
    vellamo::testing::ScriptedPrompter ask;
    app::TneuForm list(dir.filePath("Visiten.dat"), editor, ask);

    const document::CardFormat fifth = document::shippedCardFormats()[5];
    document::CardFormat current = fifth;
    int shown = -1;
    whenOpen<app::TneuForm>([&](app::TneuForm* form) {
        shown = form->selection()->currentIndex();
        form->okButton->click();
    });
    ASSERT_TRUE(list.choose(current));
    EXPECT_EQ(shown, 5);
    EXPECT_EQ(current, fifth) << "OK at once keeps the card's format";

    // A format the list does not hold: the first entry, as before.
    current = document::defaultCardFormat();
    whenOpen<app::TneuForm>([&](app::TneuForm* form) {
        shown = form->selection()->currentIndex();
        form->cancelButton->click();
    });
    EXPECT_FALSE(list.choose(current));
    EXPECT_EQ(shown, 0);
}

TEST(CardFormatEditDialog, OkWithValuesThatMakeNoFormatSaysWhyAndStaysOpen)
{
    vellamo::testing::ScriptedPrompter ask;
    app::TNewETypForm dialog(ask);
    bool openAfterBadOk = false;
    QTimer::singleShot(0, [&] {
        dialog.BrED->setValue(0);
        dialog.okButton->click();
        openAfterBadOk = dialog.isVisible();
        dialog.BrED->setValue(2);
        dialog.NameED->clear();
        dialog.okButton->click();
        openAfterBadOk = openAfterBadOk && dialog.isVisible();
        dialog.NameED->setText("Mine");
        dialog.okButton->click();
    });
    ASSERT_TRUE(dialog.run()) << "good values close with OK";
    EXPECT_TRUE(openAfterBadOk);
    ASSERT_EQ(ask.messages.size(), 2u);
    EXPECT_EQ(ask.messages[0].caption, "Error");
    EXPECT_EQ(ask.messages[0].text, "The card width must be greater than 0.");
    EXPECT_EQ(ask.messages[0].icon, document::MessageIcon::Error);
    EXPECT_EQ(ask.messages[1].text, "The name of the card type must not be empty.");
    EXPECT_EQ(dialog.values().BrED, 2);
}
