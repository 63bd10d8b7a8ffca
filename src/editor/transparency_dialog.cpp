#include "editor/transparency_dialog.h"

#include "editor/dialog_buttons.h"
#include "editor/standard_dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellamo::editor {

PictureTransparency transparencyOf(const document::Tobs& picture)
{
    return {picture.Transparent, picture.AutoTransparent, picture.TransparentKey()};
}

void applyTransparency(const PictureTransparency& values, document::Tobs& picture)
{
    picture.Transparent = values.Transparent;
    picture.AutoTransparent = values.AutoTransparent;
    picture.TransparentKey() = values.TransparentKey;
}

TTransForm::TTransForm(ColorChooser& colors, QWidget* parent) : QDialog(parent), m_colors(colors)
{
    setWindowTitle(QStringLiteral("Transparency"));
    setModal(true);
    resize(297, 124);

    TransCheck = new QCheckBox(QStringLiteral("Transparent colour"), this);
    TransCheck->setObjectName(QStringLiteral("TransCheck"));
    BitBtn2 = new QPushButton(QStringLiteral("Colour"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    AutoCheck = new QCheckBox(QStringLiteral("Use colour of left bottom pixel"), this);
    AutoCheck->setObjectName(QStringLiteral("AutoCheck"));

    QHBoxLayout* buttons = okCancelRow(*this, okButton, cancelButton);

    auto* choices = new QGridLayout;
    choices->addWidget(TransCheck, 0, 0);
    choices->addWidget(BitBtn2, 0, 1);
    choices->addWidget(AutoCheck, 1, 0, 1, 2);
    choices->setColumnStretch(0, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(BitBtn2, &QPushButton::clicked, this, &TTransForm::BitBtn2Click);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    setTransparency(PictureTransparency());
}

void TTransForm::setTransparency(const PictureTransparency& values)
{
    TransCheck->setChecked(values.Transparent);
    AutoCheck->setChecked(values.AutoTransparent);
    m_color = values.TransparentKey;
    BitBtn2->setIcon(colorSwatch(m_color));
}

PictureTransparency TTransForm::transparency() const
{
    return {TransCheck->isChecked(), AutoCheck->isChecked(), m_color};
}

bool TTransForm::editTransparency(document::Tobs& picture)
{
    setTransparency(transparencyOf(picture));
    m_colorChosen = false;
    if (exec() != QDialog::Accepted)
        return false;
    applyTransparency(transparency(), picture);
    // A colour chosen now is a colour, not yet an index of the picture's palette.
    if (m_colorChosen)
        picture.Picture.setTransparentKeyIsIndex(false);
    return true;
}

void TTransForm::BitBtn2Click()
{
    if (const auto chosen = m_colors.chooseColor(m_color)) {
        m_color = *chosen;
        m_colorChosen = true;
        BitBtn2->setIcon(colorSwatch(m_color));
    }
}

}  // namespace vellamo::editor
