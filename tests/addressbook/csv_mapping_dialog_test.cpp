#include "addressbook/csv_mapping_dialog.h"

#include "addressbook/csv_format.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

using namespace vellamo::addressbook;

namespace {

QStringList previewHeadings(const QTableWidget* preview)
{
    QStringList h;
    for (int c = 0; c < preview->columnCount(); ++c)
        h.append(preview->horizontalHeaderItem(c)->text());
    return h;
}

}  // namespace

TEST(CsvMappingDialog, ShowsTheGuessAndPreviewsTheChosenFields)
{
    QByteArray file = "Vorname;Nachname;Notiz\n";
    for (int i = 0; i < 8; ++i)
        file += "Anna" + QByteArray::number(i) + ";Alt;hi\n";
    const CsvTable table = readCsvTable(file);
    CsvMappingDialog dialog;
    QString caption;
    QStringList before, after;
    int previewRows = 0;
    QString firstChoice;
    QTimer::singleShot(0, [&] {
        caption = dialog.windowTitle();
        ASSERT_EQ(dialog.fieldChoices.size(), 3u);
        firstChoice = dialog.fieldChoices[0]->currentText();
        before = previewHeadings(dialog.preview);
        previewRows = dialog.preview->rowCount();
        dialog.fieldChoices[2]->setCurrentIndex(dialog.fieldChoices[2]->findText("Company slogan"));
        dialog.fieldChoices[0]->setCurrentIndex(0);  // "(not imported)"
        after = previewHeadings(dialog.preview);
        EXPECT_EQ(dialog.preview->item(0, 1)->text(), "hi");
        dialog.importButton->click();
    });
    const auto chosen = dialog.chooseMapping(table, guessCsvMapping(table.header));
    EXPECT_EQ(caption, "Import addresses");
    EXPECT_EQ(firstChoice, "First Name");
    EXPECT_EQ(before, (QStringList{"First Name", "Last Name"}));
    EXPECT_EQ(previewRows, CsvMappingDialog::PreviewRows);
    EXPECT_EQ(after, (QStringList{"Last Name", "Company slogan"}));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, (CsvMapping{-1, 2, 28}));

    QTimer::singleShot(0, [&] {
        for (QComboBox* choice : dialog.fieldChoices)
            choice->setCurrentIndex(0);
        EXPECT_FALSE(dialog.importButton->isEnabled()) << "nothing to import";
        dialog.cancelButton->click();
    });
    EXPECT_EQ(dialog.chooseMapping(table, guessCsvMapping(table.header)), std::nullopt);
}
