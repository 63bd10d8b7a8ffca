#include "editor/standard_dialogs.h"

#include "document/ansi_text.h"
#include "imaging/dib_record.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

namespace vellamo::editor {

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c)
{
    if (c == 0)
        return 0;
    const double exact = double(std::int64_t(a) * b) / double(c);
    return std::int32_t(std::round(exact));
}

QFont fontFromChoice(const FontChoice& choice, int logicalDpi)
{
    QFont font(document::fromAnsi(choice.name));
    if (choice.size > 0)
        font.setPointSize(choice.size);
    else if (choice.height != 0 && logicalDpi > 0)
        font.setPointSizeF(std::max(1.0, std::abs(double(choice.height)) * 72.0 / logicalDpi));
    font.setBold((choice.style & document::FontBold) != 0);
    font.setItalic((choice.style & document::FontItalic) != 0);
    font.setUnderline((choice.style & document::FontUnderline) != 0);
    font.setStrikeOut((choice.style & document::FontStrikeOut) != 0);
    font.setFixedPitch(choice.pitch == 2);
    return font;
}

FontChoice choiceFromFont(const QFont& font, bool fixedPitch, int logicalDpi, std::int32_t color)
{
    FontChoice c;
    c.name = document::toAnsi(font.family());
    c.size = std::int32_t(std::lround(font.pointSizeF()));
    c.height = -MulDiv(c.size, logicalDpi, 72);
    c.pitch = fixedPitch ? 2 : 1;
    c.style = 0;
    if (font.weight() >= QFont::Bold)
        c.style |= document::FontBold;
    if (font.italic())
        c.style |= document::FontItalic;
    if (font.underline())
        c.style |= document::FontUnderline;
    if (font.strikeOut())
        c.style |= document::FontStrikeOut;
    c.color = color;
    return c;
}

int screenLogicalDpi()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return int(std::lround(screen->logicalDotsPerInchY()));
    return 96;
}

QIcon colorSwatch(std::int32_t colorRef)
{
    QPixmap swatch(14, 14);
    swatch.fill(QColor::fromRgb(imaging::rgbFromColorRef(std::uint32_t(colorRef) & 0xFFFFFFu)));
    QPainter frame(&swatch);
    frame.setPen(Qt::black);
    frame.drawRect(0, 0, 13, 13);
    return QIcon(swatch);
}

std::optional<std::int32_t> QtColorChooser::chooseColor(std::int32_t initial)
{
    // Only the colour bits: a Windows colour value may carry flags in its top byte.
    const QColor start = QColor::fromRgb(imaging::rgbFromColorRef(std::uint32_t(initial) & 0xFFFFFFu));
    QColorDialog dialog(start, m_parent);
    // Qt's own dialog is always the full one, with the custom colours.
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return std::int32_t(imaging::colorRefFromRgb(dialog.selectedColor().rgb()));
}

FontColourDialog::FontColourDialog(const QFont& font, std::int32_t colour, ColorChooser& colours,
                                   QWidget* parent)
    : QDialog(parent), m_colours(colours), m_colour(colour)
{
    setWindowTitle(QStringLiteral("Font"));
    setModal(true);
    m_fonts = new QFontDialog(font, this);
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setSizeGripEnabled(false);
    m_fonts->setOptions(QFontDialog::DontUseNativeDialog | QFontDialog::ScalableFonts |
                        QFontDialog::NoButtons);
    // Escape or a double-click inside the font part ends the whole dialog, not only that part.
    connect(m_fonts, &QDialog::finished, this, &QDialog::done);

    m_colourButton = new QPushButton(QStringLiteral("Colour..."), this);
    m_colourButton->setObjectName(QStringLiteral("ColourBtn"));
    m_colourButton->setAutoDefault(false);
    m_colourButton->setIcon(colorSwatch(m_colour));
    connect(m_colourButton, &QPushButton::clicked, this, &FontColourDialog::chooseColour);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("Colour:"), this));
    buttons->addWidget(m_colourButton);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts, 1);
    layout->addLayout(buttons);
}

void FontColourDialog::chooseColour()
{
    if (const auto chosen = m_colours.chooseColor(m_colour)) {
        m_colour = *chosen;
        m_colourButton->setIcon(colorSwatch(m_colour));
    }
}

std::optional<FontChoice> QtFontChooser::chooseFont(const FontChoice& start)
{
    const int dpi = screenLogicalDpi();
    QFont initial = fontFromChoice(start, dpi);
    // A face this machine knows only by substitution ("Times New Roman" drawn as Liberation
    // Serif) is shown as the face that is really drawn, not as the dialog's first font.
    if (!QFontDatabase::hasFamily(initial.family()))
        initial.setFamily(QFontInfo(initial).family());
    FontColourDialog dialog(initial, start.color, m_colours, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.fonts()->currentFont();
    m_current = choiceFromFont(chosen, QFontInfo(chosen).fixedPitch(), dpi, dialog.colour());
    return m_current;
}

}  // namespace vellamo::editor
