#pragma once

// The searchable list of the shipped sheet stocks behind the list dialog's "&Stocks..." button.

#include "document/card_format_list.h"
#include "document/card_stocks.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace vellamo::app {

class CardStockDialog : public QDialog, public document::CardStockChooser {
public:
    explicit CardStockDialog(QWidget* parent = nullptr);

    // Shows every stock again with an empty search; the chosen one as a card format.
    std::optional<document::CardFormat> chooseStock() override;

    QLineEdit* search = nullptr;
    QTreeWidget* stocks = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    // Hides the stocks the search does not match and keeps a visible one current.
    void applyFilter();
    int chosenIndex() const;
};

}  // namespace vellamo::app
