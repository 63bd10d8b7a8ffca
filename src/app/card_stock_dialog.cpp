#include "app/card_stock_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vellamo::app {

namespace {

constexpr int StockIndexRole = Qt::UserRole;

QString mm(double value) { return QLocale().toString(value, 'g', 6); }

}  // namespace

CardStockDialog::CardStockDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Card stocks"));
    setModal(true);
    search = new QLineEdit(this);
    search->setPlaceholderText(QStringLiteral("Brand, part number or card size, e.g. 85x54"));
    search->setClearButtonEnabled(true);
    auto* searchLabel = new QLabel(QStringLiteral("&Search:"), this);
    searchLabel->setBuddy(search);

    stocks = new QTreeWidget(this);
    stocks->setRootIsDecorated(false);
    stocks->setUniformRowHeights(true);
    stocks->setAllColumnsShowFocus(true);
    stocks->setHeaderLabels({QStringLiteral("Brand"), QStringLiteral("Part"), QStringLiteral("Paper"),
                             QStringLiteral("Card (mm)"), QStringLiteral("Cards"),
                             QStringLiteral("Also sold as")});
    const auto& all = document::shippedCardStocks();
    for (std::size_t i = 0; i < all.size(); ++i) {
        const document::CardStock& s = all[i];
        auto* item = new QTreeWidgetItem(stocks, {s.brand, s.part, QString(s.paper).replace(u'-', u' '),
                                                  mm(s.cardWidth) + QStringLiteral(" x ") + mm(s.cardHeight),
                                                  QStringLiteral("%1 x %2").arg(s.columns).arg(s.rows),
                                                  s.equivalentParts});
        item->setData(0, StockIndexRole, int(i));
        item->setToolTip(5, s.equivalentParts);
    }
    for (int c = 0; c < 5; ++c)
        stocks->resizeColumnToContents(c);
    stocks->setMinimumSize(620, 320);

    addButton = new QPushButton(QStringLiteral("&Add"), this);
    addButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("C&ancel"), this);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(search, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(addButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(stocks, 1);
    layout->addLayout(buttons);

    connect(search, &QLineEdit::textChanged, this, [this] { applyFilter(); });
    connect(stocks, &QTreeWidget::currentItemChanged, this,
            [this] { addButton->setEnabled(chosenIndex() >= 0); });
    connect(stocks, &QTreeWidget::itemActivated, this, [this] {
        if (chosenIndex() >= 0)
            accept();
    });
    connect(addButton, &QPushButton::clicked, this, [this] {
        if (chosenIndex() >= 0)
            accept();
    });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    applyFilter();
}

void CardStockDialog::applyFilter()
{
    const auto& all = document::shippedCardStocks();
    const QString filter = search->text();
    QTreeWidgetItem* firstShown = nullptr;
    for (int i = 0; i < stocks->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = stocks->topLevelItem(i);
        const int index = item->data(0, StockIndexRole).toInt();
        const bool shown = document::stockMatches(all[std::size_t(index)], filter);
        item->setHidden(!shown);
        if (shown && !firstShown)
            firstShown = item;
    }
    QTreeWidgetItem* current = stocks->currentItem();
    if (!current || current->isHidden())
        stocks->setCurrentItem(firstShown);
    addButton->setEnabled(chosenIndex() >= 0);
}

int CardStockDialog::chosenIndex() const
{
    const QTreeWidgetItem* item = stocks->currentItem();
    if (!item || item->isHidden())
        return -1;
    return item->data(0, StockIndexRole).toInt();
}

std::optional<document::CardFormat> CardStockDialog::chooseStock()
{
    search->clear();
    applyFilter();
    search->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    const int index = chosenIndex();
    if (index < 0)
        return std::nullopt;
    return document::cardStockFormat(document::shippedCardStocks()[std::size_t(index)]);
}

}  // namespace vellamo::app
