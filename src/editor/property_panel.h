#pragma once

// PageControl3, the property panel at the right of the editor: the pages "Shape", "Text",
// " Picture" and "General", shown for the selected object's kind and set from its fields.

#include "document/card_document.h"
#include "editor/whole_number_edit.h"

#include <QTabWidget>
#include <array>

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace vellamo::editor {

class EditorCommands;

class PropertyPanel : public QTabWidget {
public:
    PropertyPanel(const document::CardDocument& doc, EditorCommands& commands, QWidget* parent = nullptr);

    // Shows the pages that fit the selection and sets their controls; not a change of the object.
    void CheckAllPanelOptions();

    QWidget* FigurSheet = nullptr;
    QWidget* TextSheet = nullptr;
    QWidget* BildSheet = nullptr;
    QWidget* AllgemeinSheet = nullptr;
    std::array<QRadioButton*, 10> shapeButtons{};
    QPushButton* ColorBtn = nullptr;
    QPushButton* UColorBtn = nullptr;
    QRadioButton* FilledCheck = nullptr;
    QRadioButton* BorderCheck = nullptr;
    QRadioButton* FilledBorderCheck = nullptr;
    WholeNumberEdit* LinieEd = nullptr;
    QPushButton* EnterTextBtn = nullptr;
    QPushButton* Color2Btn = nullptr;
    QPushButton* FontBtn = nullptr;
    QPushButton* TextFXBtn = nullptr;
    QRadioButton* Leftalign = nullptr;
    QRadioButton* CenterAlign = nullptr;
    QRadioButton* RightAlign = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QCheckBox* SVerhCheck = nullptr;
    QPushButton* RotLeftBtn = nullptr;
    QPushButton* RotRightBtn = nullptr;
    QPushButton* TranspBtn = nullptr;
    QPushButton* Del1Btn = nullptr;
    QPushButton* Front1Btn = nullptr;
    QPushButton* Back1Btn = nullptr;

private:
    void setPageVisible(QWidget* page, bool visible);
    void fitCaptions();

    const document::CardDocument& m_doc;
    bool m_syncing = false;
};

}  // namespace vellamo::editor
