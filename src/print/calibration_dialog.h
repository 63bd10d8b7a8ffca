#pragma once

// "Calibrate printer..." (TKalForm): prints the 100 mm test rectangle and takes the four values
// measured on it, each in millimetres with its twin in inches. Created once; its fields hold
// the calibration for the whole run.

#include "print/sheet_layout.h"

#include <QDialog>
#include <QDoubleSpinBox>
#include <functional>

class QPushButton;

namespace vellamo::print {

// A length field that keeps the value in full precision and shows it rounded.
class LengthSpinBox : public QDoubleSpinBox {
public:
    LengthSpinBox(int shownDecimals, QWidget* parent);
    QString textFromValue(double value) const override;

private:
    int m_shownDecimals;
};

class TKalForm : public QDialog {
public:
    // `printTest` prints the test rectangle on the current printer.
    explicit TKalForm(std::function<void()> printTest, QWidget* parent = nullptr);

    Calibration calibration() const;
    // Values outside the fields' ranges are pulled into them; the inch twins follow.
    void setCalibration(const Calibration& calibration);

    void BitBtn1Click();

    LengthSpinBox* LinksEd = nullptr;
    LengthSpinBox* ObenEd = nullptr;
    LengthSpinBox* BreitEd = nullptr;
    LengthSpinBox* HochEd = nullptr;
    LengthSpinBox* LinksEDin = nullptr;
    LengthSpinBox* ObenEdin = nullptr;
    LengthSpinBox* BreitEdin = nullptr;
    LengthSpinBox* HochEdin = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* okButton = nullptr;

private:
    void couple(LengthSpinBox* mm, LengthSpinBox* inches);

    std::function<void()> m_printTest;
};

}  // namespace vellamo::print
