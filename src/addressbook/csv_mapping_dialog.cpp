#include "addressbook/csv_mapping_dialog.h"

#include "addressbook/csv_format.h"
#include "document/ansi_text.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vellamo::addressbook {

CsvMappingDialog::CsvMappingDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(ImportCaption);
    setModal(true);
    columns = new QTableWidget(0, 3, this);
    columns->setHorizontalHeaderLabels(
        {QStringLiteral("Column"), QStringLiteral("Address field"), QStringLiteral("First value")});
    columns->verticalHeader()->hide();
    columns->setSelectionMode(QAbstractItemView::NoSelection);
    columns->setEditTriggers(QAbstractItemView::NoEditTriggers);
    columns->horizontalHeader()->setStretchLastSection(true);
    preview = new QTableWidget(0, 0, this);
    preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview->setMinimumHeight(150);
    importButton = new QPushButton(QStringLiteral("&Import"), this);
    importButton->setDefault(true);
    cancelButton = new QPushButton(QStringLiteral("C&ancel"), this);
    connect(importButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(importButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Choose the address field each column fills:"), this));
    layout->addWidget(columns, 2);
    layout->addWidget(new QLabel(QStringLiteral("Preview of the first addresses:"), this));
    layout->addWidget(preview, 1);
    layout->addLayout(buttons);
    resize(720, 560);
}

void CsvMappingDialog::fill(const CsvTable& table, const CsvMapping& guessed)
{
    m_sample = table;
    if (m_sample.rows.size() > std::size_t(PreviewRows))
        m_sample.rows.resize(std::size_t(PreviewRows));
    fieldChoices.clear();
    columns->setRowCount(int(table.header.size()));
    for (int c = 0; c < int(table.header.size()); ++c) {
        const QString heading =
            table.header[c].isEmpty() ? QStringLiteral("(column %1)").arg(c + 1) : table.header[c];
        columns->setItem(c, 0, new QTableWidgetItem(heading));
        auto* choice = new QComboBox(columns);
        for (int target = -1; target < AddressStringCount; ++target)
            choice->addItem(csvTargetName(target), target);
        const int wanted = std::size_t(c) < guessed.size() ? guessed[std::size_t(c)] : -1;
        choice->setCurrentIndex(std::clamp(wanted, -1, AddressStringCount - 1) + 1);
        connect(choice, &QComboBox::currentIndexChanged, this, [this] { updatePreview(); });
        columns->setCellWidget(c, 1, choice);
        fieldChoices.push_back(choice);
        QString first;
        for (const QStringList& row : table.rows) {
            if (c < row.size() && !row[c].trimmed().isEmpty()) {
                first = row[c].trimmed();
                break;
            }
        }
        columns->setItem(c, 2, new QTableWidgetItem(first));
    }
    columns->resizeColumnToContents(0);
    columns->setColumnWidth(1, 220);
    updatePreview();
}

CsvMapping CsvMappingDialog::mapping() const
{
    CsvMapping result;
    for (const QComboBox* choice : fieldChoices)
        result.push_back(choice->currentData().toInt());
    return result;
}

void CsvMappingDialog::updatePreview()
{
    const CsvMapping chosen = mapping();
    ImportedAddresses sample = csvRecords(m_sample, chosen);
    // The fields some column fills, in the book's order.
    std::vector<int> shown;
    for (int target = 0; target < AddressStringCount; ++target)
        if (std::find(chosen.begin(), chosen.end(), target) != chosen.end())
            shown.push_back(target);
    preview->clear();
    preview->setColumnCount(int(shown.size()));
    preview->setRowCount(int(sample.records.size()));
    QStringList headings;
    for (int target : shown)
        headings.append(csvTargetName(target));
    preview->setHorizontalHeaderLabels(headings);
    for (int r = 0; r < int(sample.records.size()); ++r)
        for (int k = 0; k < int(shown.size()); ++k)
            preview->setItem(
                r, k,
                new QTableWidgetItem(document::fromAnsi(
                    sample.records[std::size_t(r)].strings[std::size_t(shown[std::size_t(k)])])));
    preview->resizeColumnsToContents();
    importButton->setEnabled(!shown.empty());
}

std::optional<CsvMapping> CsvMappingDialog::chooseMapping(const CsvTable& table, const CsvMapping& guessed)
{
    fill(table, guessed);
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return mapping();
}

}  // namespace vellamo::addressbook
