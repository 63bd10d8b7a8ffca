#pragma once

// The CSV import's column dialog: each column's heading with the address field it fills
// (guessed, changeable), and a preview of the first rows as they would be imported.

#include "addressbook/address_exchange.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QPushButton;
class QTableWidget;

namespace vellamo::addressbook {

class CsvMappingDialog : public QDialog, public CsvMappingChooser {
public:
    explicit CsvMappingDialog(QWidget* parent = nullptr);

    std::optional<CsvMapping> chooseMapping(const CsvTable& table, const CsvMapping& guessed) override;

    // Rows shown in the preview.
    static constexpr int PreviewRows = 5;

    QTableWidget* columns = nullptr;
    QTableWidget* preview = nullptr;
    QPushButton* importButton = nullptr;
    QPushButton* cancelButton = nullptr;
    // One per column of the file, in the "Field" column of `columns`.
    std::vector<QComboBox*> fieldChoices;

private:
    void fill(const CsvTable& table, const CsvMapping& guessed);
    CsvMapping mapping() const;
    void updatePreview();

    CsvTable m_sample;
};

}  // namespace vellamo::addressbook
