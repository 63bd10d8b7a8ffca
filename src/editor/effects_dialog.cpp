#include "editor/effects_dialog.h"

#include "editor/dialog_buttons.h"
#include "editor/standard_dialogs.h"
#include "editor/whole_number_edit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

namespace vellamo::editor {

TextEffects effectsOf(const document::Tobs& text)
{
    TextEffects e;
    e.Outline = text.Outline;
    e.Shadow = text.Shadow;
    e.OutlineColor = text.BorderColor;
    e.ShadowColor = text.ShadowColor();
    e.ShadowDX = text.ShadowDX;
    e.ShadowDY = text.ShadowDY;
    return e;
}

void applyEffects(const TextEffects& effects, document::Tobs& text)
{
    text.Outline = effects.Outline;
    text.Shadow = effects.Shadow;
    text.BorderColor = effects.OutlineColor;
    text.ShadowColor() = effects.ShadowColor;
    text.ShadowDX = effects.ShadowDX;
    text.ShadowDY = effects.ShadowDY;
}

std::int32_t distanceFromText(const QString& text, const QLocale& locale)
{
    return wholeNumberFromText(text, locale, 0);
}

namespace {

WholeNumberEdit* distanceEdit(QWidget* parent, const char* name)
{
    auto* edit = new WholeNumberEdit(0, parent);
    edit->setObjectName(QString::fromLatin1(name));
    // Plain digits, however large the number.
    QLocale plain = QLocale::c();
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    edit->setLocale(plain);
    edit->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    edit->setValue(5);
    return edit;
}

QPushButton* colorButton(QWidget* parent, const char* name)
{
    auto* button = new QPushButton(QStringLiteral("Colour"), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TEffektForm::TEffektForm(ColorChooser& colors, QWidget* parent) : QDialog(parent), m_colors(colors)
{
    setWindowTitle(QStringLiteral("Effects"));
    setModal(true);
    resize(302, 227);

    auto* borderGroup = new QGroupBox(QStringLiteral("Border"), this);
    UmrCheck = new QCheckBox(QStringLiteral("Border"), borderGroup);
    UmrCheck->setObjectName(QStringLiteral("UmrCheck"));
    BitBtn1 = colorButton(borderGroup, "BitBtn1");
    auto* borderLayout = new QHBoxLayout(borderGroup);
    borderLayout->addWidget(UmrCheck, 1);
    borderLayout->addWidget(BitBtn1);

    auto* shadowGroup = new QGroupBox(QStringLiteral("Shadow"), this);
    SchattCheck = new QCheckBox(QStringLiteral("Shadow"), shadowGroup);
    SchattCheck->setObjectName(QStringLiteral("SchattCheck"));
    BitBtn2 = colorButton(shadowGroup, "BitBtn2");
    SchattED1 = distanceEdit(shadowGroup, "SchattED1");
    SchattEd2 = distanceEdit(shadowGroup, "SchattEd2");
    auto* shadowLayout = new QGridLayout(shadowGroup);
    shadowLayout->addWidget(SchattCheck, 0, 0);
    shadowLayout->addWidget(BitBtn2, 0, 1);
    shadowLayout->addWidget(new QLabel(QStringLiteral("Distance horizontal:"), shadowGroup), 1, 0);
    shadowLayout->addWidget(SchattED1, 1, 1);
    shadowLayout->addWidget(new QLabel(QStringLiteral("Distance vertical:"), shadowGroup), 2, 0);
    shadowLayout->addWidget(SchattEd2, 2, 1);
    shadowLayout->setColumnStretch(0, 1);

    QHBoxLayout* buttons = okCancelRow(*this, okButton, cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(borderGroup);
    layout->addWidget(shadowGroup);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(BitBtn1, &QPushButton::clicked, this, &TEffektForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TEffektForm::BitBtn2Click);
    connect(okButton, &QPushButton::clicked, this, [this] {
        m_accepted = effects();
        accept();
    });
    setEffects(TextEffects());
}

void TEffektForm::setEffects(const TextEffects& e)
{
    UmrCheck->setChecked(e.Outline);
    SchattCheck->setChecked(e.Shadow);
    m_outlineColor = e.OutlineColor;
    m_shadowColor = e.ShadowColor;
    SchattED1->setValue(e.ShadowDX);
    SchattEd2->setValue(e.ShadowDY);
    BitBtn1->setIcon(colorSwatch(m_outlineColor));
    BitBtn2->setIcon(colorSwatch(m_shadowColor));
}

TextEffects TEffektForm::effects() const
{
    TextEffects e;
    e.Outline = UmrCheck->isChecked();
    e.Shadow = SchattCheck->isChecked();
    e.OutlineColor = m_outlineColor;
    e.ShadowColor = m_shadowColor;
    // What the fields count as, also while one is still being typed in (OK clicked by a shortcut).
    e.ShadowDX = SchattED1->countedValue();
    e.ShadowDY = SchattEd2->countedValue();
    return e;
}

bool TEffektForm::editEffects(document::Tobs& text)
{
    setEffects(effectsOf(text));
    if (exec() != QDialog::Accepted)
        return false;
    applyEffects(m_accepted, text);
    return true;
}

void TEffektForm::BitBtn1Click()
{
    if (const auto chosen = m_colors.chooseColor(m_outlineColor)) {
        m_outlineColor = *chosen;
        BitBtn1->setIcon(colorSwatch(m_outlineColor));
    }
}

void TEffektForm::BitBtn2Click()
{
    if (const auto chosen = m_colors.chooseColor(m_shadowColor)) {
        m_shadowColor = *chosen;
        BitBtn2->setIcon(colorSwatch(m_shadowColor));
    }
}

}  // namespace vellamo::editor
