#include "templates/template_page.h"

#include "addressbook/picture_name.h"
#include "document/ansi_text.h"
#include "render/draw_dib.h"
#include "render/gdi_geometry.h"
#include "render/picture_operations.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <climits>

namespace vellamo::templates {

namespace {

constexpr int GalleryStartSize = 40;
constexpr int WheelStep = 20;
constexpr int ScrollStep = 160;

int alignmentOf(int column)
{
    return column == 1 ? Qt::AlignHCenter : column == 2 ? Qt::AlignRight : Qt::AlignLeft;
}

QFont templateFont(int pixelHeight)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, pixelHeight));
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

}  // namespace

QSize ScreenTextMeasure::measure(const QString& text, int pixelHeight, int width, int column) const
{
    const QFontMetrics metrics(templateFont(pixelHeight));
    return metrics
        .boundingRect(QRect(0, 0, std::max(width, 0), INT_MAX / 4),
                      Qt::TextWordWrap | Qt::AlignTop | alignmentOf(column), text)
        .size();
}

TemplateGallery::TemplateGallery(const TemplateSet& set, const document::CardDocument& doc,
                                 addressbook::AddressBook& book, QScrollArea* box)
    : m_set(set), m_doc(doc), m_book(book), m_box(box)
{
    setObjectName(QStringLiteral("PaintBox4"));
}

void TemplateGallery::setSelected(int t)
{
    if (t == m_selected)
        return;
    m_selected = t;
    update();
}

GalleryGeometry TemplateGallery::geometryNow() const
{
    return galleryGeometry(m_doc.Format.CardWidth, m_doc.Format.CardHeight, m_box->viewport()->width(),
                           int(m_set.layouts.size()));
}

bool TemplateGallery::fitSurface()
{
    const GalleryGeometry g = geometryNow();
    if (size() == QSize(g.surfaceWidth, g.surfaceHeight))
        return true;
    resize(g.surfaceWidth, g.surfaceHeight);
    return false;
}

void TemplateGallery::paintEvent(QPaintEvent* event)
{
    if (!fitSurface())
        return;  // the resize paints again
    QPainter painter(this);
    paintBand(painter, event->rect());
}

void TemplateGallery::paintBand(QPainter& p, const QRect& band)
{
    const GalleryGeometry g = geometryNow();
    const int n = int(m_set.layouts.size());
    const render::PlaceholderFields fields = m_book.placeholderFields();
    const double cardW = m_doc.Format.CardWidth, cardH = m_doc.Format.CardHeight;
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    bool drawn = false;
    for (int t = 0; t < n; ++t) {
        const Edges cell = thumbnailCell(g, t);
        if (cell.bottom < band.top() || cell.top > band.bottom()) {
            if (drawn && cell.top > band.bottom())
                break;
            continue;
        }
        drawn = true;
        if (t == m_selected) {
            p.setPen(render::gdiPen(Qt::black, 1));
            p.setBrush(QColor(255, 0, 0));
            render::gdiRectangle(p, cell.left - ThumbnailFrame, cell.top - ThumbnailFrame,
                                 cell.right + ThumbnailFrame, cell.bottom + ThumbnailFrame);
        }
        if (m_set.backgroundPresent && m_set.background.isLoaded()) {
            const PicturePlace cover =
                coverPlacement(m_set.background.width(), m_set.background.height(), cell);
            p.save();
            p.setClipRect(render::gdiRect(cell.left, cell.top, cell.right, cell.bottom));
            render::DrawDib(p, cell.left + cover.x, cell.top + cover.y, cover.w, cover.h, m_set.background, 0,
                            0, m_set.background.width(), m_set.background.height(), false);
            p.restore();
        } else {
            p.setPen(render::gdiPen(Qt::black, 1));
            p.setBrush(Qt::white);
            render::gdiRectangle(p, cell.left, cell.top, cell.right, cell.bottom);
        }
        p.setPen(Qt::black);
        p.setBackgroundMode(Qt::TransparentMode);
        const TemplateLayout& layout = m_set.layouts[std::size_t(t)];
        const LayoutCells cells = layoutCells(cell, g.TW, cardW, cardH, layout);
        for (int c = 0; c < 3; ++c) {
            for (int r = 0; r < 3; ++r) {
                const int e = layout.cells[std::size_t(c)][std::size_t(r)];
                if (e < 1 || e > int(m_set.elements.size()))
                    continue;
                const TemplateElement& element = m_set.elements[std::size_t(e - 1)];
                const Edges& box = cells[std::size_t(c)][std::size_t(r)];
                if (element.isPicture) {
                    const PicturePlace place =
                        fitPicture(element.picture.width(), element.picture.height(), box, c, r);
                    render::DrawDib(p, place.x, place.y, place.w, place.h, element.picture, 0, 0,
                                    element.picture.width(), element.picture.height(), false);
                } else {
                    const QString text = templateTextToDraw(element.text, &fields);
                    const int size = fitFontHeight(m_measure, text, box, c, GalleryStartSize);
                    p.setFont(templateFont(size));
                    p.drawText(render::gdiRect(box.left, box.top, box.right, box.bottom),
                               Qt::TextWordWrap | Qt::AlignTop | alignmentOf(c), text);
                }
            }
        }
    }
}

void TemplateGallery::mousePressEvent(QMouseEvent* event)
{
    fitSurface();
    const QPoint at = event->position().toPoint();
    const int t = thumbnailAt(geometryNow(), int(m_set.layouts.size()), at.x(), at.y());
    if (t >= 0)
        setSelected(t);
}

void TemplateGallery::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
    emit doubleClicked();
}

TemplatePage::TemplatePage(const document::CardDocument& doc, addressbook::AddressBook& book,
                           TemplatePageContext context, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_book(book), m_context(std::move(context)), m_random(m_context.seed)
{
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    outer->addLayout(top);

    const auto addCheck = [this](QWidget* parent, const char* name, const char* caption, bool checked) {
        auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
        box->setObjectName(QString::fromLatin1(name));
        box->setChecked(checked);
        return box;
    };
    const auto addRadio = [](QWidget* parent, const char* name, const char* caption, bool checked) {
        auto* radio = new QRadioButton(QString::fromLatin1(caption), parent);
        radio->setObjectName(QString::fromLatin1(name));
        radio->setChecked(checked);
        return radio;
    };

    auto* elements = new QGroupBox(QStringLiteral("Elements of the Business Card"), this);
    auto* elementsGrid = new QGridLayout(elements);
    elementsGrid->addWidget(addCheck(elements, "TitelCheck", "Title, Last, First name", true), 0, 0);
    elementsGrid->addWidget(addCheck(elements, "BerufCheck", "Profession", true), 1, 0);
    elementsGrid->addWidget(addCheck(elements, "FirmaCheck", "Company", false), 2, 0);
    elementsGrid->addWidget(addCheck(elements, "SloganCheck", "Company slogan", false), 3, 0);
    elementsGrid->addWidget(addCheck(elements, "FreeCheck", "Free text line 1", false), 4, 0);
    elementsGrid->addWidget(addCheck(elements, "AnschriftCheck", "Address", true), 0, 1);
    elementsGrid->addWidget(addCheck(elements, "TelCheck", "Phone and FAX", true), 1, 1);
    elementsGrid->addWidget(addCheck(elements, "emailCheck", "WWW and Email", false), 2, 1);
    auto* addressKind = new QWidget(elements);
    auto* addressKindLayout = new QVBoxLayout(addressKind);
    addressKindLayout->setContentsMargins(0, 0, 0, 0);
    addressKindLayout->addWidget(addRadio(addressKind, "PrivatRadio", "Private Address", true));
    addressKindLayout->addWidget(addRadio(addressKind, "geschRadio", "Company Address", false));
    elementsGrid->addWidget(addressKind, 3, 1);
    elementsGrid->addWidget(addCheck(elements, "Free2Check", "Free text line 2", false), 4, 1);
    top->addWidget(elements);

    auto* graphics = new QGroupBox(QStringLiteral("Graphical formation"), this);
    auto* graphicsLayout = new QVBoxLayout(graphics);
    graphicsLayout->addWidget(addRadio(graphics, "TextRadio", "Only Text", false));
    graphicsLayout->addWidget(addRadio(graphics, "LogoRadio", "Include logo", true));
    graphicsLayout->addWidget(addRadio(graphics, "GrafikRadio", "Insert picture", false));
    const auto fileRow = [this, graphics, graphicsLayout](const char* label, const char* name,
                                                          const char* text) {
        graphicsLayout->addWidget(new QLabel(QString::fromLatin1(label), graphics));
        auto* row = new QHBoxLayout;
        auto* edit = new QLineEdit(QString::fromLatin1(text), graphics);
        edit->setObjectName(QString::fromLatin1(name));
        auto* browseButton = new QToolButton(graphics);
        browseButton->setText(QStringLiteral("..."));
        row->addWidget(edit, 1);
        row->addWidget(browseButton);
        graphicsLayout->addLayout(row);
        connect(edit, &QLineEdit::textChanged, this,
                [this, edit](const QString& t) { fileNameChanged(edit, t); });
        connect(browseButton, &QToolButton::clicked, this, [this, edit] { browse(edit); });
        return edit;
    };
    m_grafikFile = fileRow("Graphic file:", "GrafikFileEd", "logo.jpg");
    graphicsLayout->addWidget(addCheck(graphics, "BkGndCheck", "Background picture", true));
    m_bkGndFile = fileRow("Background file:", "BkGndFileED", "sky.jpg");
    top->addWidget(graphics);

    auto* actions = new QVBoxLayout;
    m_renderBtn = new QPushButton(QStringLiteral("&Render templates"), this);
    m_renderBtn->setObjectName(QStringLiteral("RenderBtn"));
    m_useTemplateBtn = new QPushButton(QStringLiteral("Use selected &template"), this);
    m_useTemplateBtn->setObjectName(QStringLiteral("UseTemplateBtn"));
    actions->addWidget(m_renderBtn);
    actions->addWidget(m_useTemplateBtn);
    actions->addStretch(1);
    top->addLayout(actions);
    top->addStretch(1);

    m_label3 = new QLabel(QStringLiteral("This is a random selection of 0 cards of 0 possible cards."), this);
    m_label3->setObjectName(QStringLiteral("Label3"));
    outer->addWidget(m_label3);

    m_box = new QScrollArea(this);
    m_box->setObjectName(QStringLiteral("ScrollBox4"));
    m_box->setBackgroundRole(QPalette::Dark);
    m_box->setWidgetResizable(false);
    m_box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_box->verticalScrollBar()->setSingleStep(ScrollStep);
    m_gallery = new TemplateGallery(m_set, m_doc, m_book, m_box);
    m_box->setWidget(m_gallery);
    m_box->viewport()->installEventFilter(this);
    outer->addWidget(m_box, 1);

    connect(m_renderBtn, &QPushButton::clicked, this, &TemplatePage::RenderBtnClick);
    connect(m_useTemplateBtn, &QPushButton::clicked, this, &TemplatePage::UseTemplateBtnClick);
    connect(m_gallery, &TemplateGallery::doubleClicked, this, &TemplatePage::UseTemplateBtnClick);
    // Thumbnails show the current address's data.
    connect(&m_book, &addressbook::AddressBook::changed, m_gallery, qOverload<>(&QWidget::update));
    qApp->installEventFilter(this);
}

TemplatePage::~TemplatePage()
{
    for (TemplateElement& e : m_set.elements)
        imaging::deldib(e.picture);
    imaging::deldib(m_set.background);
}

QCheckBox* TemplatePage::check(const char* name) const
{
    return findChild<QCheckBox*>(QString::fromLatin1(name));
}

QRadioButton* TemplatePage::radio(const char* name) const
{
    return findChild<QRadioButton*>(QString::fromLatin1(name));
}

TemplateChoices TemplatePage::choices() const
{
    TemplateChoices c;
    c.TitelCheck = check("TitelCheck")->isChecked();
    c.BerufCheck = check("BerufCheck")->isChecked();
    c.FirmaCheck = check("FirmaCheck")->isChecked();
    c.SloganCheck = check("SloganCheck")->isChecked();
    c.AnschriftCheck = check("AnschriftCheck")->isChecked();
    c.TelCheck = check("TelCheck")->isChecked();
    c.emailCheck = check("emailCheck")->isChecked();
    c.PrivatRadio = radio("PrivatRadio")->isChecked();
    c.FreeCheck = check("FreeCheck")->isChecked();
    c.Free2Check = check("Free2Check")->isChecked();
    c.graphic = radio("TextRadio")->isChecked()   ? GraphicChoice::OnlyText
                : radio("LogoRadio")->isChecked() ? GraphicChoice::IncludeLogo
                                                  : GraphicChoice::InsertPicture;
    c.GrafikFileEd = m_grafikFile->text();
    c.BkGndCheck = check("BkGndCheck")->isChecked();
    c.BkGndFileED = m_bkGndFile->text();
    return c;
}

void TemplatePage::RenderBtnClick()
{
    const TemplatePictureLoader load = [this](imaging::DibRecord& target, const QString& path) {
        return m_context.pictures && m_context.pictures->load(target, path);
    };
    for (TemplateElement& e : m_set.elements)
        imaging::deldib(e.picture);
    const bool made = RenderTemplates(m_set, choices(), document::fromAnsi(m_book.logoFileName()),
                                      m_context.programFolder, load, m_random);
    // Every generation starts again at the first template.
    m_gallery->setSelected(0);
    // Behind a message too, the gallery shows what is left.
    m_gallery->fitSurface();
    m_gallery->update();
    if (!made) {
        if (m_context.ask)
            m_context.ask->inform(QStringLiteral("Error: No objects selected!"),
                                  QStringLiteral("Please select first the elements to be placed on the "
                                                 "Business Card."),
                                  document::MessageIcon::Error);
    } else {
        m_label3->setText(resultLine(int(m_set.layouts.size()), m_set.possible));
    }
}

void TemplatePage::UseTemplateBtnClick()
{
    // Without layouts from a successful generation there is nothing to adopt.
    if (m_set.layouts.empty() || !m_context.adopt || !m_context.ask || !m_context.pictures)
        return;
    if (m_doc.hasUsedSlot()) {
        const document::Answer answer =
            m_context.ask->ask({QStringLiteral("Opens the template in the editor"),
                                QStringLiteral("Do you want to save before?"),
                                document::MessageButtons::YesNoCancel, document::MessageIcon::Question});
        if (answer == document::Answer::Cancel)
            return;
        if (answer == document::Answer::Yes && (!m_context.save || !m_context.save()))
            return;
    }
    const render::PlaceholderFields fields = m_book.placeholderFields();
    TemplateCardInput input;
    input.set = &m_set;
    input.selected = m_gallery->selected();
    input.cardWidthMm = m_doc.Format.CardWidth;
    input.cardHeightMm = m_doc.Format.CardHeight;
    input.cardExtentX = m_doc.CardExtentX;
    input.cardExtentY = m_doc.CardExtentY;
    input.screenDpi = m_context.screenDpi;
    input.placeholders = &fields;
    m_context.adopt(RenderTemplate(input, ScreenTextMeasure(), *m_context.pictures, *m_context.ask));
}

void TemplatePage::FormMouseWheel(bool down)
{
    QScrollBar* bar = m_box->verticalScrollBar();
    bar->setValue(bar->value() + (down ? WheelStep : -WheelStep));
}

void TemplatePage::fileNameChanged(QLineEdit* edit, const QString& text)
{
    QString name = addressbook::stripEnclosingQuotes(text);
    if (name != text) {
        edit->setText(name);
        return;
    }
    if (m_context.shortenPictureName) {
        name = m_context.shortenPictureName(name);
        if (name != text)
            edit->setText(name);
    }
}

void TemplatePage::browse(QLineEdit* edit)
{
    if (!m_context.ask)
        return;
    const auto chosen = m_context.ask->chooseFileToOpen(
        {QStringLiteral("Open"), render::PictureFileFilter, QString(), m_context.programFolder});
    if (chosen)
        edit->setText(*chosen);
}

bool TemplatePage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel && isVisible()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == window()) {
            const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
            if (delta != 0)
                FormMouseWheel(delta < 0);
            return true;
        }
    }
    if (watched == m_box->viewport() && event->type() == QEvent::Resize)
        m_gallery->fitSurface();
    return QWidget::eventFilter(watched, event);
}

}  // namespace vellamo::templates
