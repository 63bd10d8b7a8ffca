#pragma once

// "Choose JPEG compression rate" (TJPEGQForm): the quality of a JPEG save, as a slider and a
// number that follow each other. Created once and kept, so the values stay from one save to
// the next; the owner keeps them in the settings between runs.

#include "print/picture_save.h"

#include <QDialog>

class QPushButton;
class QSlider;
class QSpinBox;

namespace vellamo::print {

inline constexpr int DefaultJpegQuality = 75;

class TJPEGQForm : public QDialog, public JpegQualityChooser {
public:
    explicit TJPEGQForm(QWidget* parent = nullptr);

    // Shows the dialog modally: the slider's value on OK.
    std::optional<int> chooseJpegQuality() override;

    // The two controls' values, for the settings; values outside 1..99 are pulled into it.
    struct Values {
        int slider = DefaultJpegQuality;
        int number = DefaultJpegQuality;
    };
    Values values() const;
    void setValues(const Values& values);

    QSlider* QualED1 = nullptr;
    QSpinBox* QualED2 = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    void QualED1Change();
    void QualED2Change();
};

}  // namespace vellamo::print
