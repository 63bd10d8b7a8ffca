#include "app/scanner_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vellamo::app {

TScannerForm::TScannerForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Choose scanner"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Scan with:"), this));
    m_list = new QTreeWidget(this);
    m_list->setHeaderLabels({QStringLiteral("Vendor"), QStringLiteral("Model"), QStringLiteral("Name")});
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Cancel"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(460, 240);
}

std::optional<QString> TScannerForm::choose(const std::vector<scanning::ScannerDevice>& devices,
                                            const QString& preselected)
{
    m_list->clear();
    QTreeWidgetItem* selected = nullptr;
    for (const auto& device : devices) {
        auto* item = new QTreeWidgetItem(m_list, {device.vendor, device.model, device.name});
        item->setToolTip(0, device.type);
        if (device.name == preselected || !selected)
            selected = item;
    }
    m_list->setCurrentItem(selected);
    if (exec() != QDialog::Accepted || !m_list->currentItem())
        return std::nullopt;
    return m_list->currentItem()->text(2);
}

}  // namespace vellamo::app
