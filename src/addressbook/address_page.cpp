#include "addressbook/address_page.h"

#include "document/ansi_text.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vellamo::addressbook {

using document::fromAnsi;
using document::toAnsi;

namespace {

// Headings "Field" and "Content"; the 29 field names in the first column, not editable.
QTableWidget* fieldGrid(QWidget* parent)
{
    auto* grid = new QTableWidget(AddressFieldCount, 2, parent);
    grid->setHorizontalHeaderLabels({QStringLiteral("Field"), QStringLiteral("Content")});
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setColumnWidth(0, 170);
    for (int row = 0; row < AddressFieldCount; ++row) {
        auto* name =
            new QTableWidgetItem(QString::fromLatin1(AddressFieldNames[std::size_t(row)].data(),
                                                     qsizetype(AddressFieldNames[std::size_t(row)].size())));
        name->setFlags(Qt::ItemIsEnabled);
        grid->setItem(row, 0, name);
        grid->setItem(row, 1, new QTableWidgetItem());
    }
    return grid;
}

std::string cell(const QTableWidget* grid, int row)
{
    if (row < 1 || row > AddressFieldCount)
        return {};
    const QTableWidgetItem* item = grid->item(row - 1, 1);
    return item ? toAnsi(item->text()) : std::string();
}

void setCell(QTableWidget* grid, int row, const std::string& text)
{
    if (row >= 1 && row <= AddressFieldCount)
        grid->item(row - 1, 1)->setText(fromAnsi(text));
}

}  // namespace

AddressesPage::AddressesPage(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    layout->addWidget(m_pages);

    m_pages->addTab(new QWidget(m_pages), QStringLiteral("Selection"));

    auto* edit = new QWidget(m_pages);
    m_editGrid = fieldGrid(edit);
    m_editGrid->setObjectName(QStringLiteral("EditGrid"));
    (new QVBoxLayout(edit))->addWidget(m_editGrid);
    m_pages->addTab(edit, QStringLiteral("Edit"));

    auto* logo = new QWidget(m_pages);
    auto* logoLayout = new QVBoxLayout(logo);
    m_logoFile = new QLineEdit(logo);
    m_logoFile->setObjectName(QStringLiteral("LogoFileED"));
    logoLayout->addWidget(m_logoFile);
    logoLayout->addStretch(1);
    m_pages->addTab(logo, QStringLiteral("Logo"));

    auto* description = new QWidget(m_pages);
    m_descriptionGrid = fieldGrid(description);
    m_descriptionGrid->setObjectName(QStringLiteral("DescriptionGrid"));
    (new QVBoxLayout(description))->addWidget(m_descriptionGrid);
    m_pages->addTab(description, QStringLiteral("Description"));
}

std::string AddressesPage::value(int row) const { return cell(m_editGrid, row); }
void AddressesPage::setValue(int row, const std::string& value) { setCell(m_editGrid, row, value); }
std::string AddressesPage::logoFileName() const { return toAnsi(m_logoFile->text()); }
void AddressesPage::setLogoFileName(const std::string& name) { m_logoFile->setText(fromAnsi(name)); }

std::string AddressesPage::label(int row) const
{
    if (row == LabelCount)
        return m_label30;
    return cell(m_descriptionGrid, row);
}

void AddressesPage::setLabel(int row, const std::string& label)
{
    if (row == LabelCount)
        m_label30 = label;
    else
        setCell(m_descriptionGrid, row, label);
}

}  // namespace vellamo::addressbook
