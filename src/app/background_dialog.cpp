#include "app/background_dialog.h"

#include "app/picture_open_dialog.h"
#include "document/ansi_text.h"
#include "editor/centred_on_screen.h"
#include "render/draw_dib.h"
#include "render/picture_operations.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace vellamo::app {

using document::CardDocument;

QRect centredPreview(QSize pane, QSize picture)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return {};
    const qint64 W = pane.width();
    const qint64 H = pane.height();
    qint64 w = W;
    qint64 h = qint64(picture.height()) * W / picture.width();
    if (h > H) {
        h = H;
        w = qint64(picture.width()) * H / picture.height();
    }
    return QRect(int((W - w) / 2), int((H - h) / 2), int(w), int(h));
}

std::optional<int> placementShown(std::int32_t backgroundMode)
{
    if (backgroundMode >= document::StretchToCard && backgroundMode <= document::TileBackground)
        return backgroundMode;
    return std::nullopt;
}

void applyOnClose(CardDocument& doc, const WorkingBackground& working, int chosenPlacement)
{
    doc.BackgroundMode = chosenPlacement;
    if (working.picture.isLoaded()) {
        doc.BackgroundPicture = working.picture;
        doc.BackgroundFile = document::toAnsi(working.file);
    } else {
        doc.BackgroundPicture.clear();
        doc.BackgroundMode = document::NoBackground;
        doc.BackgroundFile.clear();
    }
}

Tbkgndform::Tbkgndform(CardDocument& doc, editor::PictureChooser& pictures, QString programFolder,
                       document::Prompter& ask, imaging::ProgressCallback progress,
                       std::function<void()> repaint, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_pictures(pictures), m_programFolder(std::move(programFolder)),
      m_ask(ask), m_progress(std::move(progress)), m_repaint(std::move(repaint))
{
    setWindowTitle(QStringLiteral("Choose background picture"));
    setModal(true);
    editor::keepCentredOnScreen(*this);

    OpenBtn = new QPushButton(QStringLiteral("Open..."), this);
    OpenBtn->setObjectName(QStringLiteral("OpenBtn"));
    OpenBtn->setToolTip(QStringLiteral("Opens a background picture"));
    OpenBtn->setAutoDefault(false);
    NoBkGndBtn = new QPushButton(QStringLiteral("None"), this);
    NoBkGndBtn->setObjectName(QStringLiteral("NoBkGndBtn"));
    NoBkGndBtn->setToolTip(QStringLiteral("Do not use a background picture..."));
    NoBkGndBtn->setAutoDefault(false);
    OkBitBtn1 = new QPushButton(QStringLiteral("&Back..."), this);
    OkBitBtn1->setObjectName(QStringLiteral("OkBitBtn1"));
    OkBitBtn1->setToolTip(QStringLiteral("Back to the main program..."));
    OkBitBtn1->setDefault(true);

    OptionsGroup = new QGroupBox(QStringLiteral("Options"), this);
    OptionsGroup->setToolTip(QStringLiteral("Choose the placement of the background picture"));
    ZoomedInRadio = new QRadioButton(QStringLiteral("Center zoomed in"), OptionsGroup);
    ZoomedOutRadio = new QRadioButton(QStringLiteral("Center zoomed out"), OptionsGroup);
    TileRadio = new QRadioButton(QStringLiteral("Tile"), OptionsGroup);
    StretchRadio = new QRadioButton(QStringLiteral("Stretch to card size"), OptionsGroup);
    m_placements = new QButtonGroup(this);
    m_placements->addButton(ZoomedInRadio, document::CenterZoomedIn);
    m_placements->addButton(ZoomedOutRadio, document::CenterZoomedOut);
    m_placements->addButton(TileRadio, document::TileBackground);
    m_placements->addButton(StretchRadio, document::StretchToCard);
    ZoomedInRadio->setChecked(true);
    auto* options = new QVBoxLayout(OptionsGroup);
    for (QRadioButton* r : {ZoomedInRadio, ZoomedOutRadio, TileRadio, StretchRadio})
        options->addWidget(r);

    PaintBox1 = new PicturePane([this](QPainter& p, QSize pane) { PaintBox1Paint(p, pane); });
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setFixedSize(270, 165);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidget(PaintBox1);
    ScrollBox1->setFixedSize(274, 169);
    QPalette workspace = ScrollBox1->palette();
    workspace.setColor(QPalette::Window, workspaceColor());
    ScrollBox1->viewport()->setAutoFillBackground(true);
    ScrollBox1->viewport()->setPalette(workspace);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(OpenBtn);
    buttons->addWidget(NoBkGndBtn);
    buttons->addWidget(OptionsGroup);
    buttons->addStretch(1);
    buttons->addWidget(OkBitBtn1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(ScrollBox1, 0, Qt::AlignTop);
    layout->addLayout(buttons);

    connect(OpenBtn, &QPushButton::clicked, this, &Tbkgndform::OpenBtn2Click);
    connect(NoBkGndBtn, &QPushButton::clicked, this, &Tbkgndform::NoBkGndBtnClick);
    connect(OkBitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void Tbkgndform::Hintergrundbild1Click() { exec(); }

void Tbkgndform::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void Tbkgndform::FormActivate()
{
    if (const auto placement = placementShown(m_doc.BackgroundMode))
        m_placements->button(*placement)->setChecked(true);
    m_working.picture = m_doc.BackgroundPicture;
    m_working.file = document::fromAnsi(m_doc.BackgroundFile);
    PaintBox1->update();
}

void Tbkgndform::releaseBackground()
{
    // The document and the dialog hold the one picture; releasing it empties both.
    imaging::deldib(m_working.picture);
    imaging::deldib(m_doc.BackgroundPicture);
    m_working.file.clear();
    m_doc.BackgroundFile.clear();
    PaintBox1->update();
}

void Tbkgndform::OpenBtn2Click()
{
    releaseBackground();
    const std::optional<QString> chosen = m_pictures.choosePicture();
    // Closing the picture dialog makes this one the active window again.
    FormActivate();
    if (!chosen)
        return;
    m_working.file = *chosen;
    if (!render::LoadDIBit(m_working.picture, m_working.file, m_programFolder, m_progress)) {
        m_ask.inform(QString(), "Could not open the picture file (" + m_working.file + ").",
                     document::MessageIcon::Error);
        m_working.file.clear();
    }
    m_doc.BackgroundPicture = m_working.picture;
    m_doc.BackgroundFile = document::toAnsi(m_working.file);
    PaintBox1->update();
}

void Tbkgndform::NoBkGndBtnClick() { releaseBackground(); }

int Tbkgndform::chosenPlacement() const
{
    const int id = m_placements->checkedId();
    return id < 0 ? 0 : id;
}

void Tbkgndform::PaintBox1Paint(QPainter& painter, QSize pane)
{
    painter.fillRect(QRect(QPoint(0, 0), pane), workspaceColor());
    const imaging::DibRecord& picture = m_working.picture;
    if (!picture.isLoaded())
        return;
    const QRect at = centredPreview(pane, picture.image().size());
    const int depth = PaintBox1->screen() ? PaintBox1->screen()->depth() : 24;
    render::DrawDib(painter, at.x(), at.y(), at.width(), at.height(), picture, 0, 0, picture.width(),
                    picture.height(), true, depth);
}

void Tbkgndform::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void Tbkgndform::FormClose()
{
    applyOnClose(m_doc, m_working, chosenPlacement());
    if (m_repaint)
        m_repaint();
}

}  // namespace vellamo::app
