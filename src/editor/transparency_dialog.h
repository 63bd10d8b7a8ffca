#pragma once

// "Transparency" (TTransForm): the transparent colour of a picture object, copied in when it
// opens and copied back only on OK.

#include "editor/editor_dialogs.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace vellamo::editor {

struct PictureTransparency {
    bool Transparent = false;
    bool AutoTransparent = false;
    std::int32_t TransparentKey = 0;
};

PictureTransparency transparencyOf(const document::Tobs& picture);
void applyTransparency(const PictureTransparency& values, document::Tobs& picture);

class TTransForm : public QDialog, public TransparencyEditor {
public:
    explicit TTransForm(ColorChooser& colors, QWidget* parent = nullptr);

    bool editTransparency(document::Tobs& picture) override;

    void setTransparency(const PictureTransparency& values);
    PictureTransparency transparency() const;

    void BitBtn2Click();

    QCheckBox* TransCheck = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QCheckBox* AutoCheck = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    ColorChooser& m_colors;
    std::int32_t m_color = 0;
    bool m_colorChosen = false;
};

}  // namespace vellamo::editor
