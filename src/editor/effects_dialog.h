#pragma once

// "Effects" (TEffektForm): outline and shadow of a text object, copied in when it opens and
// copied back only on OK.

#include "editor/editor_dialogs.h"
#include "editor/whole_number_edit.h"

#include <QDialog>
#include <QLocale>

class QCheckBox;
class QPushButton;

namespace vellamo::editor {

// What the dialog shows, in the object's terms.
struct TextEffects {
    bool Outline = false;
    bool Shadow = false;
    std::int32_t OutlineColor = 0;
    std::int32_t ShadowColor = 0;
    std::int32_t ShadowDX = 5;
    std::int32_t ShadowDY = 5;
};

TextEffects effectsOf(const document::Tobs& text);
void applyEffects(const TextEffects& effects, document::Tobs& text);

// A distance field's text as a whole number in the field's locale; a field that holds no
// number counts as 0.
std::int32_t distanceFromText(const QString& text, const QLocale& locale = QLocale::c());

class TEffektForm : public QDialog, public EffectsEditor {
public:
    explicit TEffektForm(ColorChooser& colors, QWidget* parent = nullptr);

    bool editEffects(document::Tobs& text) override;

    void setEffects(const TextEffects& effects);
    TextEffects effects() const;

    void BitBtn1Click();
    void BitBtn2Click();

    QCheckBox* UmrCheck = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QCheckBox* SchattCheck = nullptr;
    QPushButton* BitBtn2 = nullptr;
    WholeNumberEdit* SchattED1 = nullptr;
    WholeNumberEdit* SchattEd2 = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

private:
    ColorChooser& m_colors;
    std::int32_t m_outlineColor = 0;
    std::int32_t m_shadowColor = 0;
    // Read when OK is pressed: hiding the dialog puts a spin edit's last number back.
    TextEffects m_accepted;
};

}  // namespace vellamo::editor
