#include "print/jpeg_quality_dialog.h"

#include "editor/dialog_buttons.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace vellamo::print {

TJPEGQForm::TJPEGQForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Choose JPEG compression rate"));
    setModal(true);

    auto* text = new QLabel(
        QStringLiteral(
            "The more strongly the picture is compressed, the smaller the quality and memory needed."),
        this);
    text->setWordWrap(true);

    auto* group = new QGroupBox(QStringLiteral("Quality"), this);
    QualED1 = new QSlider(Qt::Horizontal, group);
    QualED1->setObjectName(QStringLiteral("QualED1"));
    QualED1->setRange(1, 99);
    QualED1->setValue(DefaultJpegQuality);
    QualED1->setTickPosition(QSlider::TicksBelow);
    QualED1->setTickInterval(10);
    QualED2 = new QSpinBox(group);
    QualED2->setObjectName(QStringLiteral("QualED2"));
    QualED2->setRange(1, 99);
    QualED2->setValue(DefaultJpegQuality);

    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Default: 75"), group), 0, 0, 1, 3, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("Low quality"), group), 1, 0);
    grid->addWidget(QualED1, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("High quality"), group), 1, 2);
    auto* number = new QHBoxLayout;
    auto* numberLabel = new QLabel(QStringLiteral("As number:"), group);
    numberLabel->setBuddy(QualED2);
    number->addWidget(numberLabel);
    number->addWidget(QualED2);
    number->addStretch(1);
    grid->addLayout(number, 2, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    QHBoxLayout* buttons = editor::okCancelRow(*this, okButton, cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(group);
    layout->addStretch(1);
    layout->addLayout(buttons);
    resize(360, 220);

    connect(QualED1, &QSlider::valueChanged, this, &TJPEGQForm::QualED1Change);
    connect(QualED2, &QSpinBox::valueChanged, this, &TJPEGQForm::QualED2Change);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TJPEGQForm::QualED1Change() { QualED2->setValue(QualED1->value()); }

void TJPEGQForm::QualED2Change() { QualED1->setValue(QualED2->value()); }

std::optional<int> TJPEGQForm::chooseJpegQuality()
{
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return QualED1->value();
}

TJPEGQForm::Values TJPEGQForm::values() const { return {QualED1->value(), QualED2->value()}; }

void TJPEGQForm::setValues(const Values& values)
{
    // Each control as it was stored, even where the two differ; the ranges clamp.
    const QSignalBlocker blockSlider(QualED1);
    const QSignalBlocker blockNumber(QualED2);
    QualED1->setValue(values.slider);
    QualED2->setValue(values.number);
}

}  // namespace vellamo::print
