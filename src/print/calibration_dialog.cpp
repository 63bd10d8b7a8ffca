#include "print/calibration_dialog.h"

#include "document/units.h"
#include "print/calibration_file.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vellamo::print {

namespace {

// Inch fields without a range of their own still need one for the spin box.
constexpr double UnboundedInches = 1e6;

}  // namespace

LengthSpinBox::LengthSpinBox(int shownDecimals, QWidget* parent)
    : QDoubleSpinBox(parent), m_shownDecimals(shownDecimals)
{
    setDecimals(10);
    setAlignment(Qt::AlignRight);
    setKeyboardTracking(true);
}

QString LengthSpinBox::textFromValue(double value) const
{
    return locale().toString(value, 'f', m_shownDecimals);
}

TKalForm::TKalForm(std::function<void()> printTest, QWidget* parent)
    : QDialog(parent), m_printTest(std::move(printTest))
{
    setWindowTitle(QStringLiteral("Calibrate printer..."));
    setModal(true);

    auto* intro = new QLabel(QStringLiteral("Use this for every new printer to get exact printouts!"), this);
    BitBtn1 = new QPushButton(QStringLiteral("Print test rectangle..."), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    auto* measure = new QLabel(
        QStringLiteral(
            "Please measure the following values on the printout and correct the values if they are wrong."),
        this);
    measure->setWordWrap(true);

    auto field = [this](const char* name, int decimals, double low, double high, double step) {
        auto* box = new LengthSpinBox(decimals, this);
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(low, high);
        box->setSingleStep(step);
        return box;
    };
    LinksEd = field("LinksEd", 2, MinOffsetMm, MaxOffsetMm, 0.1);
    ObenEd = field("ObenEd", 2, MinOffsetMm, MaxOffsetMm, 0.1);
    BreitEd = field("BreitEd", 2, MinLengthMm, MaxLengthMm, 0.1);
    HochEd = field("HochEd", 2, MinLengthMm, MaxLengthMm, 0.1);
    LinksEDin = field("LinksEDin", 3, 0, 10, 0.01);
    ObenEdin = field("ObenEdin", 3, 0, 10, 0.01);
    BreitEdin = field("BreitEdin", 3, -UnboundedInches, UnboundedInches, 0.01);
    HochEdin = field("HochEdin", 3, -UnboundedInches, UnboundedInches, 0.01);

    auto* grid = new QGridLayout;
    const struct {
        const char* label;
        LengthSpinBox* mm;
        LengthSpinBox* inches;
    } rows[] = {
        {"Distance of rectangle from left edge:", LinksEd, LinksEDin},
        {"Distance of rectangle from top edge:", ObenEd, ObenEdin},
        {"Rectangle width:", BreitEd, BreitEdin},
        {"Rectangle height:", HochEd, HochEdin},
    };
    int row = 0;
    for (const auto& r : rows) {
        auto* label = new QLabel(QString::fromLatin1(r.label), this);
        label->setBuddy(r.mm);
        grid->addWidget(label, row, 0);
        grid->addWidget(r.mm, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("mm ="), this), row, 2);
        grid->addWidget(r.inches, row, 3);
        grid->addWidget(new QLabel(QStringLiteral("inches"), this), row, 4);
        couple(r.mm, r.inches);
        ++row;
    }
    grid->setColumnStretch(0, 1);

    okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton);

    auto* top = new QHBoxLayout;
    top->addWidget(intro, 1);
    top->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(measure);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);

    setCalibration({});

    connect(BitBtn1, &QPushButton::clicked, this, &TKalForm::BitBtn1Click);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TKalForm::couple(LengthSpinBox* mm, LengthSpinBox* inches)
{
    connect(mm, &QDoubleSpinBox::valueChanged, this, [mm, inches] {
        const QSignalBlocker block(inches);
        inches->setValue(document::mmToInches(mm->value()));
    });
    connect(inches, &QDoubleSpinBox::valueChanged, this, [mm, inches] {
        {
            const QSignalBlocker block(mm);
            mm->setValue(document::inchesToMm(inches->value()));
        }
        // A millimetre value beyond its range was pulled back; the inches follow it.
        const double back = document::mmToInches(mm->value());
        if (std::abs(back - inches->value()) > 1e-9) {
            const QSignalBlocker block(inches);
            inches->setValue(back);
        }
    });
}

Calibration TKalForm::calibration() const
{
    return {LinksEd->value(), ObenEd->value(), BreitEd->value(), HochEd->value()};
}

void TKalForm::setCalibration(const Calibration& calibration)
{
    const Calibration usable = usableCalibration(calibration);
    const std::pair<LengthSpinBox*, LengthSpinBox*> twins[] = {
        {LinksEd, LinksEDin}, {ObenEd, ObenEdin}, {BreitEd, BreitEdin}, {HochEd, HochEdin}};
    const double values[] = {usable.left, usable.top, usable.width, usable.height};
    for (int i = 0; i < 4; ++i) {
        const QSignalBlocker blockMm(twins[i].first);
        const QSignalBlocker blockInches(twins[i].second);
        twins[i].first->setValue(values[i]);
        twins[i].second->setValue(document::mmToInches(twins[i].first->value()));
    }
}

void TKalForm::BitBtn1Click()
{
    if (m_printTest)
        m_printTest();
}

}  // namespace vellamo::print
