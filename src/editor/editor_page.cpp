#include "editor/editor_page.h"

#include "editor/editor_cursors.h"
#include "editor/hinting_menu.h"
#include "editor/insertion.h"
#include "editor/object_popup.h"
#include "editor/property_panel.h"
#include "editor/rulers.h"
#include "editor/surface_interaction.h"
#include "editor/view_scrolling.h"

#include <QKeyEvent>
#include <QMenu>

#include <QAction>
#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace vellamo::editor {

namespace {

struct ToolInfo {
    EditingTool tool;
    const char* name;
    const char* caption;
    const char* hint;
};

constexpr ToolInfo Tools[] = {
    {EditingTool::Pointer, "SpeedItem3", "Pointer", "Alternate objects"},
    {EditingTool::Zoom, "SpeedZoom", "Zoom", "Increased or reduced"},
    {EditingTool::Hand, "SpeedHand", "Hand", "Changes the viewable section"},
    {EditingTool::Object, "SpeedItem1", "Object", "Inserts an geometrical object"},
    {EditingTool::Text, "SpeedItem2", "Text", "Inserts text - Double click on the text box to input text"},
    {EditingTool::Picture, "SpeedItem10", "Picture", "Inserts a picture"},
};

QIcon toolIcon(EditingTool tool)
{
    QPixmap pixmap(28, 28);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    switch (tool) {
    case EditingTool::Pointer:
        p.setBrush(Qt::white);
        p.translate(7.5, 2.5);
        p.scale(1.25, 1.25);
        p.drawPath(arrowPath());
        break;
    case EditingTool::Zoom:
        p.drawPixmap(2, 2, magnifierPixmap().scaled(24, 24, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        break;
    case EditingTool::Hand:
        p.drawPixmap(0, 0, dragHandPixmap().scaled(28, 28, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        break;
    case EditingTool::Object:
        p.setBrush(QColor(90, 140, 220));
        p.drawEllipse(QRectF(3, 3, 14, 14));
        p.setBrush(QColor(230, 120, 60));
        p.drawRect(QRectF(11, 11, 14, 14));
        break;
    case EditingTool::Text: {
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(24);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRect(0, 0, 28, 28), Qt::AlignCenter, QStringLiteral("A"));
        break;
    }
    case EditingTool::Picture:
        p.setBrush(QColor(200, 230, 255));
        p.drawRect(QRectF(2.5, 5.5, 23, 17));
        p.setBrush(QColor(60, 150, 60));
        p.drawPolygon(
            QPolygonF({QPointF(4, 21), QPointF(11, 12), QPointF(16, 18), QPointF(19, 15), QPointF(24, 21)}));
        p.setBrush(QColor(250, 210, 40));
        p.drawEllipse(QRectF(17, 7, 5, 5));
        break;
    }
    return QIcon(pixmap);
}

}  // namespace

EditorPage::EditorPage(document::CardModel& model, EditorView::RenderContextSource context,
                       document::Prompter& ask, QWidget* parent)
    : QWidget(parent), m_model(model), m_doc(model.doc()), m_ask(ask),
      m_commands(model, ask, [this] { PaintBox1Paint(); })
{
    document::CardDocument& doc = m_doc;
    // The repaint follows the change; the surface's size must be right by then.
    connect(&model, &document::CardModel::cardFormatChanged, this, [this] { m_view->updateSurfaceSize(); });
    showMenu = [](QMenu& menu, QPoint at) { menu.exec(at); };
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    m_topBar = new QToolBar(this);
    m_topBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    struct TopButton {
        const char* caption;
        const char* hint;
        QStyle::StandardPixmap icon;
        void (EditorPage::*signal)();
    };
    const TopButton topButtons[] = {
        {"New...", "Create new file", QStyle::SP_FileIcon, &EditorPage::newClicked},
        {"Open...", "Opens a Bussiness Card", QStyle::SP_DialogOpenButton, &EditorPage::openClicked},
        {"Save", "Save actual Card", QStyle::SP_DialogSaveButton, &EditorPage::saveClicked},
        {"Background", "Choose background", QStyle::SP_DesktopIcon, &EditorPage::backgroundClicked},
    };
    for (const TopButton& b : topButtons) {
        QAction* action = m_topBar->addAction(style()->standardIcon(b.icon), QString::fromLatin1(b.caption));
        action->setIconText(QString::fromLatin1(b.caption));  // keeps the "..."
        action->setToolTip(QString::fromLatin1(b.hint));
        action->setStatusTip(QString::fromLatin1(b.hint));
        connect(action, &QAction::triggered, this, b.signal);
    }
    outer->addWidget(m_topBar);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    outer->addLayout(body, 1);

    auto* toolBar = new QWidget(this);
    toolBar->setFixedWidth(57);
    auto* toolLayout = new QVBoxLayout(toolBar);
    toolLayout->setContentsMargins(3, 3, 3, 3);
    toolLayout->setSpacing(2);
    m_tools = new QButtonGroup(this);
    m_tools->setExclusive(true);
    for (const ToolInfo& info : Tools) {
        auto* button = new QToolButton(toolBar);
        button->setObjectName(QString::fromLatin1(info.name));
        button->setFixedSize(50, 54);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setIcon(toolIcon(info.tool));
        button->setIconSize(QSize(28, 28));
        button->setText(QString::fromLatin1(info.caption));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setToolTip(QString::fromLatin1(info.hint));
        button->setStatusTip(QString::fromLatin1(info.hint));
        m_tools->addButton(button, int(info.tool));
        toolLayout->addWidget(button);
    }
    toolLayout->addStretch(1);
    m_tools->button(int(EditingTool::Pointer))->setChecked(true);
    connect(m_tools, &QButtonGroup::idClicked, this, [this] { updateCursor(); });
    body->addWidget(toolBar);

    auto* centre = new QWidget(this);
    centre->setAutoFillBackground(true);
    QPalette black = centre->palette();
    black.setColor(QPalette::Window, Qt::black);
    centre->setPalette(black);
    auto* grid = new QGridLayout(centre);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);

    m_renderContext = context;
    m_commands.setClipboardContext(m_programFolder, m_screenDpi, context);
    m_view = new EditorView(doc, std::move(context), centre);
    m_view->setObjectName(QStringLiteral("ScrollBox1"));
    m_view->viewport()->setObjectName(QStringLiteral("PaintBox1"));
    m_view->setAfterPaint([this] { repaintRulers(); });
    m_topRuler =
        new HorizontalRuler({[this] { return m_view->scrollX(); }, [this] { return m_view->surfaceWidth(); },
                             [this] { return m_doc.Format.CardWidth; }},
                            centre);
    m_topRuler->setObjectName(QStringLiteral("TRuler"));
    m_leftRuler =
        new VerticalRuler({[this] { return m_view->scrollY(); }, [this] { return m_view->surfaceHeight(); },
                           [this] { return m_doc.Format.CardHeight; }},
                          centre);
    m_leftRuler->setObjectName(QStringLiteral("LRuler"));
    // Only holds the keyboard focus; it lies behind the view.
    m_keyEdit = new QLineEdit(centre);
    m_keyEdit->setObjectName(QStringLiteral("KeyEdit"));
    m_keyEdit->setGeometry(0, 0, 1, 1);
    m_keyEdit->lower();
    m_keyEdit->installEventFilter(this);
    grid->addWidget(m_topRuler, 0, 0, 1, 2);
    grid->addWidget(m_leftRuler, 1, 0);
    grid->addWidget(m_view, 1, 1);
    body->addWidget(centre, 1);

    m_panel = new PropertyPanel(doc, m_commands, this);
    body->addWidget(m_panel);

    m_popup = new ObjectPopup(m_commands, this);
    m_backgroundPopup = new HintingMenu(this);
    m_backgroundPopup->setObjectName(QStringLiteral("PBoxPopup"));
    QAction* background = m_backgroundPopup->addAction(QStringLiteral("Background picture..."));
    background->setStatusTip(QStringLiteral("Chages the properties of the background picture"));
    connect(background, &QAction::triggered, this, &EditorPage::backgroundClicked);

    SurfaceContext surface;
    surface.tool = [this] { return currentTool(); };
    surface.setTool = [this](EditingTool t) { setTool(t); };
    surface.repaint = [this] { PaintBox1Paint(); };
    surface.repaintSelection = [this] { m_view->PaintSelection(); };
    surface.zoom = [this](int x, int y, bool in) { zoomAt(x, y, in); };
    surface.backgroundPopup = [this](int x, int y) { showMenu(*m_backgroundPopup, globalPosition(x, y)); };
    surface.objectPopup = [this](int x, int y) {
        if (m_doc.SelectedObject == 0)
            return;
        m_popup->prepare(m_doc.object(m_doc.SelectedObject));
        showMenu(*m_popup, globalPosition(x, y));
    };
    surface.focusKeyEdit = [this] { m_keyEdit->setFocus(); };
    surface.insert = [this](int x, int y) { return insertAt(x, y); };
    m_interaction = std::make_unique<SurfaceInteraction>(doc, *m_view, m_commands, std::move(surface));
    m_view->setMouseHandler(m_interaction.get());
    m_view->setMarksPainter([this](QPainter& p, int sx, int sy) { m_interaction->markrec(p, sx, sy); });
    m_view->setBeforePaint([this] { m_panel->CheckAllPanelOptions(); });
    updateCursor();
}

EditorPage::~EditorPage() = default;

void EditorPage::setDialogs(const EditorDialogs& dialogs) { m_commands.setDialogs(dialogs); }

void EditorPage::setPictureLoading(QString programFolder, int screenDpi, imaging::ProgressCallback progress)
{
    m_programFolder = std::move(programFolder);
    m_screenDpi = screenDpi;
    m_progress = progress;
    m_commands.setProgress(std::move(progress));
    m_commands.setClipboardContext(m_programFolder, m_screenDpi, m_renderContext);
}

QPoint EditorPage::globalPosition(int x, int y) const
{
    return m_view->viewport()->mapToGlobal(QPoint(x - m_view->scrollX(), y - m_view->scrollY()));
}

bool EditorPage::insertAt(int x, int y)
{
    NewObjectKind kind = NewObjectKind::Shape;
    if (currentTool() == EditingTool::Text)
        kind = NewObjectKind::Text;
    else if (currentTool() == EditingTool::Picture)
        kind = NewObjectKind::Picture;
    const EditorDialogs& dialogs = m_commands.dialogs();
    InsertionContext context{m_ask,
                             dialogs.pictures,
                             m_programFolder,
                             m_screenDpi,
                             dialogs.fonts ? dialogs.fonts->currentFont() : FontChoice(),
                             m_progress};
    bool made = false;
    m_commands.performOnCard(StepNames::Insert, [&](document::CardChange& change) {
        // The new object goes into the lowest free slot; that slot is the change.
        if (const int slot = m_doc.lowestFreeSlot())
            change.object(slot);
        made = insertObject(m_doc, kind, x, y, context) > 0;
        return made;
    });
    return made;
}

bool EditorPage::eventFilter(QObject* watched, QEvent* event)
{
    // The key holder is a line edit only for the focus: the Edit menu's keys are the card's.
    if (watched == m_keyEdit && event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        for (QKeySequence::StandardKey k : {QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut,
                                            QKeySequence::Copy, QKeySequence::Paste}) {
            if (key->matches(k))
                return true;
        }
    }
    if (watched == m_keyEdit && event->type() == QEvent::KeyPress &&
        m_interaction->FormKeyDown(static_cast<QKeyEvent*>(event)->key()))
        return true;
    return QWidget::eventFilter(watched, event);
}

EditingTool EditorPage::currentTool() const { return EditingTool(m_tools->checkedId()); }

void EditorPage::setTool(EditingTool tool)
{
    m_tools->button(int(tool))->setChecked(true);
    updateCursor();
}

QAbstractButton* EditorPage::toolButton(EditingTool tool) const { return m_tools->button(int(tool)); }

void EditorPage::updateCursor()
{
    if (m_interaction)
        m_interaction->showToolCursor();
}

void EditorPage::surfaceChanged()
{
    m_view->updateSurfaceSize();
    PaintBox1Paint();
}

void EditorPage::scrollToCard()
{
    m_view->setScroll(m_view->surfaceWidth() / 3, m_view->surfaceHeight() / 3);
    PaintBox1Paint();
}

void EditorPage::PaintBox1Paint() { m_view->PaintBox1Paint(); }

void EditorPage::repaintRulers()
{
    m_topRuler->repaint();
    m_leftRuler->repaint();
}

void EditorPage::zoomAt(int x, int y, bool zoomIn)
{
    const ZoomResult zoom = editor::zoomAt(x, y, zoomIn, m_doc.ZoomNum, m_doc.ZoomDen, m_doc.CardExtentX,
                                           m_doc.CardExtentY, m_view->width(), m_view->height());
    m_doc.ZoomDen = zoom.zoomDen;
    m_view->ResizingView = true;
    m_view->updateSurfaceSize();
    m_view->setScroll(zoom.scroll.x, zoom.scroll.y);
    m_view->ResizingView = false;
    PaintBox1Paint();
}

}  // namespace vellamo::editor
