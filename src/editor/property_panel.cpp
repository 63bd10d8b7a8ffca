#include "editor/property_panel.h"

#include "editor/editor_commands.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>

namespace vellamo::editor {

namespace {

QWidget* page(QTabWidget* parent, const char* name, QVBoxLayout*& layout)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QString::fromLatin1(name));
    layout = new QVBoxLayout(w);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    return w;
}

}  // namespace

PropertyPanel::PropertyPanel(const document::CardDocument& doc, EditorCommands& commands, QWidget* parent)
    : QTabWidget(parent), m_doc(doc)
{
    setObjectName(QStringLiteral("PageControl3"));
    setFixedWidth(145);
    setDocumentMode(true);  // flat tab buttons
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    tabBar()->setFont(small);
    tabBar()->setExpanding(false);
    EditorCommands* c = &commands;
    auto button = [this](QWidget* parentPage, QVBoxLayout* layout, const char* name, const char* caption,
                         std::function<void()> run) {
        auto* b = new QPushButton(QString::fromUtf8(caption), parentPage);
        b->setObjectName(QString::fromLatin1(name));
        layout->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, run = std::move(run)] {
            if (!m_syncing)
                run();
        });
        return b;
    };
    auto radio = [this](QWidget* parentPage, QVBoxLayout* layout, QButtonGroup* group, const char* name,
                        const char* caption, std::function<void()> run) {
        auto* r = new QRadioButton(QString::fromUtf8(caption), parentPage);
        r->setObjectName(QString::fromLatin1(name));
        layout->addWidget(r);
        group->addButton(r);
        connect(r, &QRadioButton::clicked, this, [this, run = std::move(run)] {
            if (!m_syncing)
                run();
        });
        return r;
    };

    QVBoxLayout* l = nullptr;
    FigurSheet = page(this, "FigurSheet", l);
    auto* shapeGroup = new QButtonGroup(FigurSheet);
    const char* shapes[10] = {"Circle",
                              "Ellipse",
                              "Square",
                              "Rectangle",
                              "Square rounded",
                              "Rectangle rounded",
                              "Line horizontal",
                              "Line vertical",
                              "Linie slanted up (/)",
                              "Linie slanted down (\\)"};
    for (int k = 0; k < 10; ++k) {
        const QByteArray name = "RadioButton" + QByteArray::number(k + 1);
        shapeButtons[std::size_t(k)] =
            radio(FigurSheet, l, shapeGroup, name.constData(), shapes[k], [c, k] { c->setShapeKind(k); });
    }
    shapeButtons[3]->setChecked(true);
    ColorBtn = button(FigurSheet, l, "ColorBtn", "Colour...", [c] { c->FarbBtnClick(); });
    UColorBtn = button(FigurSheet, l, "UColorBtn", "Colour of border...", [c] { c->UColorBtnClick(); });
    auto* fillGroup = new QButtonGroup(FigurSheet);
    FilledCheck = radio(FigurSheet, l, fillGroup, "FilledCheck", "Filled", [c] { c->setFillMode(0); });
    BorderCheck = radio(FigurSheet, l, fillGroup, "BorderCheck", "Only border", [c] { c->setFillMode(1); });
    FilledBorderCheck = radio(FigurSheet, l, fillGroup, "FilledBorderCheck", "Filled with border",
                              [c] { c->setFillMode(2); });
    FilledCheck->setChecked(true);
    l->addWidget(new QLabel(QStringLiteral("Line width:"), FigurSheet));
    LinieEd = new QSpinBox(FigurSheet);
    LinieEd->setObjectName(QStringLiteral("LinieEd"));
    LinieEd->setRange(1, 20);
    LinieEd->setValue(1);
    l->addWidget(LinieEd);
    connect(LinieEd, &QSpinBox::valueChanged, this, [this, c](int v) {
        if (!m_syncing)
            c->LinieEdChange(v);
    });
    l->addStretch(1);
    addTab(FigurSheet, QStringLiteral("Shape"));

    TextSheet = page(this, "TextSheet", l);
    EnterTextBtn = button(TextSheet, l, "EnterTextBtn", "Enter Text...", [c] { c->EditTextNow(); });
    Color2Btn = button(TextSheet, l, "Color2Btn", "Colour...", [c] { c->FarbBtnClick(); });
    FontBtn = button(TextSheet, l, "FontBtn", "Font...", [c] { c->FontBtnClick(); });
    TextFXBtn = button(TextSheet, l, "TextFXBtn", "Text effects...", [c] { c->Texteffekte1Click(); });
    auto* alignGroup = new QButtonGroup(TextSheet);
    Leftalign = radio(TextSheet, l, alignGroup, "Leftalign", "Left justified", [c] { c->setTextAlign(0); });
    CenterAlign = radio(TextSheet, l, alignGroup, "CenterAlign", "Centered", [c] { c->setTextAlign(1); });
    RightAlign =
        radio(TextSheet, l, alignGroup, "RightAlign", "Right-justified", [c] { c->setTextAlign(2); });
    Leftalign->setChecked(true);
    BitBtn2 = button(TextSheet, l, "BitBtn2", "Rotate to the left", [c] { c->Nachlinksrotieren1Click(); });
    BitBtn1 = button(TextSheet, l, "BitBtn1", "Rotate to the right", [c] { c->Nachrechtsrotieren1Click(); });
    l->addStretch(1);
    addTab(TextSheet, QStringLiteral("Text"));

    BildSheet = page(this, "BildSheet", l);
    SVerhCheck = new QCheckBox(QStringLiteral("Do not distort"), BildSheet);
    SVerhCheck->setObjectName(QStringLiteral("SVerhCheck"));
    SVerhCheck->setChecked(true);
    l->addWidget(SVerhCheck);
    connect(SVerhCheck, &QCheckBox::clicked, this, [this, c](bool on) {
        if (!m_syncing)
            c->SVerhCheckClick(on);
    });
    RotLeftBtn =
        button(BildSheet, l, "RotLeftBtn", "Rotate to the left", [c] { c->Nachlinksrotieren1Click(); });
    RotRightBtn =
        button(BildSheet, l, "RotRightBtn", "Rotate to the right", [c] { c->Nachrechtsrotieren1Click(); });
    TranspBtn = button(BildSheet, l, "TranspBtn", "Transparency...", [c] { c->Transparenz1Click(); });
    l->addStretch(1);
    addTab(BildSheet, QStringLiteral(" Picture"));

    AllgemeinSheet = page(this, "AllgemeinSheet", l);
    Del1Btn = button(AllgemeinSheet, l, "Del1Btn", "Delete...", [c] { c->Lschen1Click(); });
    Front1Btn = button(AllgemeinSheet, l, "Front1Btn", "To the front", [c] { c->Nachvorne1Click(); });
    Back1Btn = button(AllgemeinSheet, l, "Back1Btn", "To the back", [c] { c->NachHinen1Click(); });
    l->addStretch(1);
    addTab(AllgemeinSheet, QStringLiteral("General"));

    for (QWidget* p : {FigurSheet, TextSheet, BildSheet, AllgemeinSheet})
        setPageVisible(p, false);
}

void PropertyPanel::setPageVisible(QWidget* p, bool visible) { setTabVisible(indexOf(p), visible); }

void PropertyPanel::CheckAllPanelOptions()
{
    m_syncing = true;
    const int slot = m_doc.SelectedObject;
    if (slot < document::FirstSlot || slot > document::LastSlot) {
        for (QWidget* p : {FigurSheet, TextSheet, BildSheet, AllgemeinSheet})
            setPageVisible(p, false);
        m_syncing = false;
        return;
    }
    const document::Tobs& o = m_doc.object(slot);
    setPageVisible(AllgemeinSheet, true);
    switch (o.Kind) {
    case document::ShapeObject: {
        setPageVisible(FigurSheet, true);
        setPageVisible(BildSheet, false);
        setPageVisible(TextSheet, false);
        if (o.ShapeKind >= document::ShapeCircle && o.ShapeKind <= document::LineSlantedDown)
            shapeButtons[std::size_t(o.ShapeKind)]->setChecked(true);
        const bool line = document::isLineShape(o.ShapeKind);
        for (QWidget* w : {static_cast<QWidget*>(UColorBtn), static_cast<QWidget*>(FilledCheck),
                           static_cast<QWidget*>(BorderCheck), static_cast<QWidget*>(FilledBorderCheck)})
            w->setEnabled(!line);
        if (!line) {
            QRadioButton* fill[3] = {FilledCheck, BorderCheck, FilledBorderCheck};
            if (o.FillMode >= document::FillFilled && o.FillMode <= document::FillFilledWithBorder) {
                fill[o.FillMode]->setChecked(true);
            } else {
                // None of the three: an exclusive group has to let go for a moment.
                FilledCheck->group()->setExclusive(false);
                for (QRadioButton* r : fill)
                    r->setChecked(false);
                FilledCheck->group()->setExclusive(true);
            }
        }
        // The spin edit shows the width within its limits; the object keeps its own value.
        LinieEd->setValue(o.LineWidth);
        setCurrentWidget(FigurSheet);
        break;
    }
    case document::TextObject: {
        setPageVisible(TextSheet, true);
        setPageVisible(FigurSheet, false);
        setPageVisible(BildSheet, false);
        QRadioButton* align[3] = {Leftalign, CenterAlign, RightAlign};
        if (o.TextAlign >= 0 && o.TextAlign <= 2)
            align[o.TextAlign]->setChecked(true);
        setCurrentWidget(TextSheet);
        break;
    }
    case document::PictureObject:
        setPageVisible(BildSheet, true);
        setPageVisible(FigurSheet, false);
        setPageVisible(TextSheet, false);
        SVerhCheck->setChecked(o.KeepAspect);
        setCurrentWidget(BildSheet);
        break;
    default:
        break;
    }
    m_syncing = false;
}

}  // namespace vellamo::editor
