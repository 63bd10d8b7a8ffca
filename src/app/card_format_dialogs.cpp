#include "app/card_format_dialogs.h"

#include "document/ansi_text.h"
#include "editor/centred_on_screen.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellamo::app {

ExactSpinBox::ExactSpinBox(QWidget* parent) : QDoubleSpinBox(parent)
{
    connect(this, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        if (!m_setting)
            m_exact = v;
    });
}

void ExactSpinBox::setExactValue(double value)
{
    m_setting = true;
    setValue(value);
    m_setting = false;
    // What the spin edit can hold: within its range.
    m_exact = std::clamp(value, minimum(), maximum());
}

double ExactSpinBox::exactValue() const { return m_exact; }

namespace {

ExactSpinBox* spin(QWidget* parent, double maximum, int decimals, double step, double first)
{
    auto* box = new ExactSpinBox(parent);
    box->setRange(decimals > 0 ? 0.0 : 1.0, maximum);
    box->setDecimals(decimals);
    box->setSingleStep(step);
    box->setExactValue(first);
    box->setMinimumWidth(90);
    return box;
}

// A group of labelled spin edits, with the unit behind each when given.
QGroupBox* group(QWidget* parent, const char* caption,
                 std::initializer_list<std::pair<const char*, ExactSpinBox*>> rows, const char* unit)
{
    auto* box = new QGroupBox(QString::fromLatin1(caption), parent);
    auto* layout = new QGridLayout(box);
    int row = 0;
    for (const auto& [label, edit] : rows) {
        layout->addWidget(new QLabel(QString::fromLatin1(label), box), row, 0);
        layout->addWidget(edit, row, 1);
        if (unit)
            layout->addWidget(new QLabel(QString::fromLatin1(unit), box), row, 2);
        ++row;
    }
    layout->setColumnStretch(1, 1);
    return box;
}

}  // namespace

TNewETypForm::TNewETypForm(document::Prompter& ask, QWidget* parent) : QDialog(parent), m_ask(ask)
{
    setWindowTitle(QStringLiteral("Edit Business Card type"));
    setModal(true);
    editor::keepCentredOnScreen(*this);
    NameED = new QLineEdit(QStringLiteral("No name"), this);
    NameED->setMaxLength(document::CardFormatNameLength);
    RLED = spin(this, 3000, 3, 0.1, 0);
    ROED = spin(this, 1000, 3, 0.1, 0);
    BrED = spin(this, 3000, 3, 0.1, 0);
    HoED = spin(this, 1000, 3, 0.1, 0);
    AHED = spin(this, 3000, 3, 0.1, 0);
    AVED = spin(this, 1000, 3, 0.1, 0);
    AnzHED = spin(this, 50, 0, 1, 1);
    AnzVED = spin(this, 50, 0, 1, 1);
    setValues(document::CardFormatDialogValues());

    auto* nameGroup = new QGroupBox(QStringLiteral("Name of card type"), this);
    (new QVBoxLayout(nameGroup))->addWidget(NameED);
    auto* groups = new QVBoxLayout;
    groups->addWidget(nameGroup);
    groups->addWidget(group(this, "Margin in inchs", {{"Left:", RLED}, {"Top:", ROED}}, "inch"));
    groups->addWidget(group(this, "Extents in inchs", {{"Width:", BrED}, {"Height:", HoED}}, "inch"));
    groups->addWidget(group(this, "Space between the cards in inchs",
                            {{"Horizontal:", AHED}, {"Vertical:", AVED}}, "inch"));
    groups->addWidget(
        group(this, "Number of cards per sheet", {{"Horizontal:", AnzHED}, {"Vertical:", AnzVED}}, nullptr));

    okButton = new QPushButton(QStringLiteral("&OK"), this);
    okButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("C&ancel"), this);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(groups, 1);
    layout->addLayout(buttons);
}

document::CardFormatDialogValues TNewETypForm::values() const
{
    document::CardFormatDialogValues v;
    v.NameED = NameED->text();
    v.RLED = RLED->exactValue();
    v.ROED = ROED->exactValue();
    v.BrED = BrED->exactValue();
    v.HoED = HoED->exactValue();
    v.AHED = AHED->exactValue();
    v.AVED = AVED->exactValue();
    v.AnzHED = AnzHED->exactValue();
    v.AnzVED = AnzVED->exactValue();
    return v;
}

void TNewETypForm::setValues(const document::CardFormatDialogValues& v)
{
    NameED->setText(v.NameED);
    RLED->setExactValue(v.RLED);
    ROED->setExactValue(v.ROED);
    BrED->setExactValue(v.BrED);
    HoED->setExactValue(v.HoED);
    AHED->setExactValue(v.AHED);
    AVED->setExactValue(v.AVED);
    AnzHED->setExactValue(v.AnzHED);
    AnzVED->setExactValue(v.AnzVED);
}

bool TNewETypForm::run() { return exec() == QDialog::Accepted; }

void TNewETypForm::accept()
{
    if (const auto problem = document::cardFormatValuesProblem(values())) {
        m_ask.inform(QStringLiteral("Error"), *problem, document::MessageIcon::Error);
        return;
    }
    QDialog::accept();
}

TneuForm::TneuForm(QString listPath, document::CardFormatEditor& edit, document::Prompter& ask,
                   QWidget* parent)
    : QDialog(parent), m_logic(std::move(listPath), edit, ask)
{
    setWindowTitle(QStringLiteral("Create new Business Card"));
    setModal(true);
    editor::keepCentredOnScreen(*this);
    m_selection = new QComboBox(this);
    m_selection->setMinimumWidth(260);
    NewBtn = new QPushButton(QStringLiteral("&New"), this);
    EditBtn = new QPushButton(QStringLiteral("&Change"), this);
    DelBtn = new QPushButton(QStringLiteral("Delete"), this);
    StocksBtn = new QPushButton(QStringLiteral("&Stocks..."), this);
    StocksBtn->setToolTip(QStringLiteral("Add a card format from the list of card stocks on the market"));
    m_stocks = new CardStockDialog(this);
    okButton = new QPushButton(QStringLiteral("&OK"), this);
    okButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("C&ancel"), this);

    auto* typeGroup = new QGroupBox(QStringLiteral("Business Card type"), this);
    auto* typeLayout = new QGridLayout(typeGroup);
    typeLayout->addWidget(new QLabel(QStringLiteral("Selection:"), typeGroup), 0, 0, 1, 3);
    typeLayout->addWidget(m_selection, 1, 0, 1, 3);
    typeLayout->addWidget(NewBtn, 2, 0);
    typeLayout->addWidget(EditBtn, 2, 1);
    typeLayout->addWidget(DelBtn, 2, 2);
    typeLayout->addWidget(StocksBtn, 3, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(typeGroup);
    layout->addLayout(buttons);

    connect(m_selection, &QComboBox::currentIndexChanged, this, [this](int index) { m_logic.select(index); });
    connect(NewBtn, &QPushButton::clicked, this, [this] {
        m_logic.newClicked();
        UpdateEttTypes();
    });
    connect(EditBtn, &QPushButton::clicked, this, [this] {
        m_logic.changeClicked();
        UpdateEttTypes();
    });
    connect(DelBtn, &QPushButton::clicked, this, [this] {
        m_logic.deleteClicked();
        UpdateEttTypes();
    });
    connect(StocksBtn, &QPushButton::clicked, this, [this] {
        m_logic.stocksClicked(*m_stocks);
        UpdateEttTypes();
    });
    connect(okButton, &QPushButton::clicked, this, [this] {
        if (m_current && m_logic.okClicked(*m_current))
            accept();
    });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TneuForm::UpdateEttTypes()
{
    const int selected = m_logic.selected();
    const QSignalBlocker block(m_selection);
    m_selection->clear();
    for (const auto& format : m_logic.entries())
        m_selection->addItem(document::fromAnsi(format.Name));
    m_selection->setCurrentIndex(selected);
}

bool TneuForm::choose(document::CardFormat& current)
{
    document::CardFormat chosen = current;
    m_current = &chosen;
    m_logic.show();
    // The list opens on the card's own format when it holds it.
    m_logic.selectEntry(current);
    UpdateEttTypes();
    const bool ok = exec() == QDialog::Accepted;
    m_logic.close();
    m_current = nullptr;
    if (ok)
        current = chosen;
    return ok;
}

}  // namespace vellamo::app
