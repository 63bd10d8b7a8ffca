#pragma once

// The "Addresses" page with its sub-pages "Selection", "Edit", "Logo" and "Description". The
// Edit grid, the logo file-name edit and the Description grid are the working copy of the
// current address and the labels.

#include "addressbook/address_database.h"

#include <QWidget>

class QLineEdit;
class QTabWidget;
class QTableWidget;

namespace vellamo::addressbook {

class AddressesPage : public QWidget, public AddressWorkingCopy {
public:
    explicit AddressesPage(QWidget* parent = nullptr);

    std::string value(int row) const override;
    void setValue(int row, const std::string& value) override;
    std::string logoFileName() const override;
    void setLogoFileName(const std::string& name) override;
    std::string label(int row) const override;
    void setLabel(int row, const std::string& label) override;

    QTableWidget* editGrid() const { return m_editGrid; }
    QTableWidget* descriptionGrid() const { return m_descriptionGrid; }
    QLineEdit* logoFileEdit() const { return m_logoFile; }
    QTabWidget* subPages() const { return m_pages; }

private:
    QTabWidget* m_pages = nullptr;
    QTableWidget* m_editGrid = nullptr;
    QTableWidget* m_descriptionGrid = nullptr;
    QLineEdit* m_logoFile = nullptr;
    // The 30th label has no row on screen; it is kept as the file had it.
    std::string m_label30;
};

}  // namespace vellamo::addressbook
