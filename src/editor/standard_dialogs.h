#pragma once

// The platform's colour and font dialogs behind the editor's ColorChooser and FontChooser.

#include "editor/editor_dialogs.h"

#include <QDialog>
#include <QFont>
#include <QIcon>

class QFontDialog;
class QPushButton;
class QWidget;

namespace vellamo::editor {

// Windows' MulDiv: a * b / c rounded to nearest, halves away from zero; 0 for c == 0.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

// The font the dialog starts with for a choice: family, point size (from the height when the
// size is not set), style bits and pitch.
QFont fontFromChoice(const FontChoice& choice, int logicalDpi);

// A font as the Windows font dialog reports it: size in whole points, height
// -MulDiv(size, dpi, 72), pitch 1 variable or 2 fixed, style bits; the colour as given.
FontChoice choiceFromFont(const QFont& font, bool fixedPitch, int logicalDpi, std::int32_t color);

// The screen's logical pixels per inch, which font heights are measured in.
int screenLogicalDpi();

// A small square of the colour (0x00BBGGRR) for the buttons that choose one.
QIcon colorSwatch(std::int32_t colorRef);

// The full colour dialog, custom colours shown, starting at the given colour.
class QtColorChooser : public ColorChooser {
public:
    explicit QtColorChooser(QWidget* parent = nullptr) : m_parent(parent) {}
    std::optional<std::int32_t> chooseColor(std::int32_t initial) override;

private:
    QWidget* m_parent;
};

// The font dialog with a colour: Qt's font dialog (scalable fonts, its effects underline and
// strike-out) and a colour button below it that opens the colour dialog.
class FontColourDialog : public QDialog {
    Q_OBJECT
public:
    FontColourDialog(const QFont& font, std::int32_t colour, ColorChooser& colours,
                     QWidget* parent = nullptr);

    QFontDialog* fonts() const { return m_fonts; }
    QPushButton* colourButton() const { return m_colourButton; }
    QPushButton* okButton() const { return m_ok; }
    std::int32_t colour() const { return m_colour; }

private:
    void chooseColour();

    ColorChooser& m_colours;
    std::int32_t m_colour;
    QFontDialog* m_fonts = nullptr;
    QPushButton* m_colourButton = nullptr;
    QPushButton* m_ok = nullptr;
};

// The font dialog of the editor. It starts with "Times New Roman", height -16, black, and
// keeps the last font chosen, colour included.
class QtFontChooser : public FontChooser {
public:
    explicit QtFontChooser(ColorChooser& colours, QWidget* parent = nullptr)
        : m_colours(colours), m_parent(parent)
    {
    }
    std::optional<FontChoice> chooseFont(const FontChoice& start) override;
    FontChoice currentFont() const override { return m_current; }

private:
    ColorChooser& m_colours;
    QWidget* m_parent;
    FontChoice m_current;
};

}  // namespace vellamo::editor
