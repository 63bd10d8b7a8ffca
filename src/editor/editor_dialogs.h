#pragma once

// The dialogs the editor's commands open, as the commands see them. The main window hands in
// the real dialogs; tests hand in scripts.

#include "document/tobs.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace vellamo::editor {

// The colour dialog: a Windows colour value 0x00BBGGRR in and out; nothing when cancelled.
class ColorChooser {
public:
    virtual ~ColorChooser() = default;
    virtual std::optional<std::int32_t> chooseColor(std::int32_t initial) = 0;
};

// A font as the font dialog reports it, in the fields of a text object.
struct FontChoice {
    std::string name = "Times New Roman";
    std::int32_t size = 12;
    std::int32_t height = -16;
    std::uint8_t pitch = 0;
    std::uint8_t style = 0;
    std::int32_t color = 0;
};

// The font dialog keeps the last font chosen in it; new objects take that font.
class FontChooser {
public:
    virtual ~FontChooser() = default;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& start) = 0;
    virtual FontChoice currentFont() const = 0;
};

// "Enter Text...": edits a text object's Text; false when cancelled (the text unchanged).
class TextEditor {
public:
    virtual ~TextEditor() = default;
    virtual bool editText(std::string& text) = 0;
};

// "Effects": outline and shadow of a text object; false when cancelled (the object unchanged).
class EffectsEditor {
public:
    virtual ~EffectsEditor() = default;
    virtual bool editEffects(document::Tobs& text) = 0;
};

// "Transparency": the transparent colour of a picture object; false when cancelled.
class TransparencyEditor {
public:
    virtual ~TransparencyEditor() = default;
    virtual bool editTransparency(document::Tobs& picture) = 0;
};

// "Open picture": the chosen picture's path (a bare name for a file directly in the program
// folder), or nothing when cancelled.
class PictureChooser {
public:
    virtual ~PictureChooser() = default;
    virtual std::optional<QString> choosePicture() = 0;
};

}  // namespace vellamo::editor
