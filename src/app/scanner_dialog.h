#pragma once

// "Choose scanner...": the SANE devices by vendor, model and name, one of them selected.

#include "app/scanner_selection.h"

#include <QDialog>

class QTreeWidget;

namespace vellamo::app {

class TScannerForm : public QDialog, public ScannerChooser {
    Q_OBJECT
public:
    explicit TScannerForm(QWidget* parent = nullptr);

    std::optional<QString> choose(const std::vector<scanning::ScannerDevice>& devices,
                                  const QString& preselected) override;

    QTreeWidget* list() const { return m_list; }

private:
    QTreeWidget* m_list = nullptr;
};

}  // namespace vellamo::app
