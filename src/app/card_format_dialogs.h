#pragma once

// The card format dialogs: the list "Create new Business Card" (TneuForm) and the editor
// "Edit Business Card type" (TNewETypForm). Each is created once and reused.

#include "app/card_stock_dialog.h"
#include "document/card_format_list.h"
#include "document/new_card.h"

#include <QDialog>
#include <QDoubleSpinBox>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vellamo::app {

// A spin edit that keeps the exact value it was given until the user changes it, so that
// confirming an unchanged dialog gives back the stored millimetres.
class ExactSpinBox : public QDoubleSpinBox {
public:
    explicit ExactSpinBox(QWidget* parent = nullptr);
    void setExactValue(double value);
    double exactValue() const;

private:
    double m_exact = 0;
    bool m_setting = false;
};

class TNewETypForm : public QDialog, public document::CardFormatEditor {
public:
    // `ask` says what keeps OK from taking values that make no card format.
    explicit TNewETypForm(document::Prompter& ask, QWidget* parent = nullptr);

    document::CardFormatDialogValues values() const override;
    void setValues(const document::CardFormatDialogValues& values) override;
    bool run() override;
    // OK closes only with values that make a card format; otherwise the dialog says what is
    // wrong and stays open.
    void accept() override;

    QLineEdit* NameED = nullptr;
    ExactSpinBox* RLED = nullptr;
    ExactSpinBox* ROED = nullptr;
    ExactSpinBox* BrED = nullptr;
    ExactSpinBox* HoED = nullptr;
    ExactSpinBox* AHED = nullptr;
    ExactSpinBox* AVED = nullptr;
    ExactSpinBox* AnzHED = nullptr;
    ExactSpinBox* AnzVED = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    document::Prompter& m_ask;
};

class TneuForm : public QDialog, public document::CardFormatChooser {
public:
    // The list lives in `listPath`; `edit` is the one edit dialog, `ask` answers the questions.
    TneuForm(QString listPath, document::CardFormatEditor& edit, document::Prompter& ask,
             QWidget* parent = nullptr);

    bool choose(document::CardFormat& current) override;

    document::CardFormatListLogic& logic() { return m_logic; }
    QComboBox* selection() const { return m_selection; }
    QPushButton* NewBtn = nullptr;
    QPushButton* EditBtn = nullptr;
    QPushButton* DelBtn = nullptr;
    QPushButton* StocksBtn = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    void UpdateEttTypes();

    document::CardFormatListLogic m_logic;
    CardStockDialog* m_stocks = nullptr;
    QComboBox* m_selection = nullptr;
    document::CardFormat* m_current = nullptr;
};

}  // namespace vellamo::app
