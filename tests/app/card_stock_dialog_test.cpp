#include "app/card_format_dialogs.h"
#include "app/card_stock_dialog.h"

#include "support/modal_dialogs.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_prompter.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace vellamo;

using vellamo::testing::whenOpen;

namespace {

int shownRows(const QTreeWidget* tree)
{
    int n = 0;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        n += tree->topLevelItem(i)->isHidden() ? 0 : 1;
    return n;
}

}  // namespace

TEST(CardStockDialog, TypingFiltersAndEnterAddsTheStockToTheList)
{
    QTemporaryDir dir;
    vellamo::testing::ScriptedFormatEditor editor;
    vellamo::testing::ScriptedPrompter ask;
    app::TneuForm list(dir.filePath("Visiten.dat"), editor, ask);
    document::CardFormat current = document::defaultCardFormat();

    int stockRowsShown = -1;
    QString caption;
    whenOpen<app::TneuForm>([&](app::TneuForm* form) {
        EXPECT_EQ(form->selection()->count(), 39) << "a first start lists the stocks";
        EXPECT_EQ(form->selection()->currentText(), "Agipa 119488 A4 2x5");
        EXPECT_EQ(form->StocksBtn->text(), "&Stocks...");
        whenOpen<app::CardStockDialog>([&](app::CardStockDialog* stocks) {
            caption = stocks->windowTitle();
            QTest::keyClicks(stocks->search, "170 x 54");
            stockRowsShown = shownRows(stocks->stocks);
            QTest::keyClick(stocks->search, Qt::Key_Return);
        });
        form->StocksBtn->click();
        EXPECT_EQ(form->selection()->count(), 39) << "the list holds the stock already: no second copy";
        EXPECT_EQ(form->selection()->currentText(), "Rayfilm VIZ3 A4 1x5");
        form->okButton->click();
    });
    ASSERT_TRUE(list.choose(current));
    EXPECT_EQ(caption, "Card stocks");
    EXPECT_EQ(stockRowsShown, 1);
    EXPECT_EQ(current.Name, "Rayfilm VIZ3 A4 1x5");
    EXPECT_EQ(current.CardWidth, 170);
    EXPECT_EQ(current.MarginLeft, 20);
}

TEST(CardStockDialog, NothingMatchingMeansNothingToAdd)
{
    app::CardStockDialog stocks;
    bool addEnabled = true;
    QTimer::singleShot(0, [&] {
        QTest::keyClicks(stocks.search, "no such stock");
        addEnabled = stocks.addButton->isEnabled();
        QTest::keyClick(stocks.search, Qt::Key_Return);  // nothing to add: stays open
        EXPECT_TRUE(stocks.isVisible());
        stocks.search->clear();
        EXPECT_EQ(shownRows(stocks.stocks), 39);
        stocks.cancelButton->click();
    });
    EXPECT_EQ(stocks.chooseStock(), std::nullopt);
    EXPECT_FALSE(addEnabled);
}
