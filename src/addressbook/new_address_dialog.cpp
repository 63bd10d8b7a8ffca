#include "addressbook/new_address_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vellamo::addressbook {

TNewAdrForm::TNewAdrForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Create new Address"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_first = new QLineEdit(this);
    m_first->setObjectName(QStringLiteral("FirstNameED"));
    m_last = new QLineEdit(this);
    m_last->setObjectName(QStringLiteral("LastNameED"));
    form->addRow(QStringLiteral("First Name:"), m_first);
    form->addRow(QStringLiteral("Last Name:"), m_last);
    layout->addLayout(form);
    m_takeOver = new QCheckBox(QStringLiteral("Take over values from actual address"), this);
    layout->addWidget(m_takeOver);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_first, &QLineEdit::textChanged, this, &TNewAdrForm::updateOk);
    connect(m_last, &QLineEdit::textChanged, this, &TNewAdrForm::updateOk);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TNewAdrForm::prepare()
{
    m_takeOver->setChecked(false);
    m_first->clear();
    m_last->clear();
    m_ok->setEnabled(false);
}

std::optional<NewAddressInput> TNewAdrForm::askNewAddress()
{
    prepare();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return NewAddressInput{m_first->text(), m_last->text(), m_takeOver->isChecked()};
}

void TNewAdrForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_first->setFocus();
}

void TNewAdrForm::updateOk() { m_ok->setEnabled(!m_first->text().isEmpty() && !m_last->text().isEmpty()); }

}  // namespace vellamo::addressbook
