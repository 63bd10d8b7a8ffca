#pragma once

// One card object slot: a shape, a line, a text or a picture. Fields keep their meaning for
// every kind; the ones that share a slot (LineWidth / TransparentKey, FillMode / ShadowColor,
// Text / PictureFile) are one field with two names.

#include "imaging/dib_record.h"

#include <cstdint>
#include <string>

namespace vellamo::document {

enum ObjectKind : std::int32_t { FreeSlot = 0, ShapeObject = 1, TextObject = 2, PictureObject = 3 };

// ShapeKind: the figures 0..5, then the lines 6..9.
enum ShapeKindValue : std::int32_t {
    ShapeCircle = 0,
    ShapeEllipse = 1,
    ShapeSquare = 2,
    ShapeRectangle = 3,
    ShapeRoundedSquare = 4,
    ShapeRoundedRectangle = 5,
    LineHorizontal = 6,
    LineVertical = 7,
    LineSlantedUp = 8,
    LineSlantedDown = 9,
};

inline constexpr bool isLineShape(std::int32_t shapeKind) { return shapeKind > ShapeRoundedRectangle; }

// FillMode of the figures; lines ignore it.
enum FillModeValue : std::int32_t { FillFilled = 0, FillOnlyBorder = 1, FillFilledWithBorder = 2 };

// Bits of FontStyle.
enum FontStyleBit : std::uint8_t { FontBold = 1, FontItalic = 2, FontUnderline = 4, FontStrikeOut = 8 };

class Tobs {
public:
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    bool KeepAspect = false;
    // Quarter turns clockwise, 0..3.
    std::int32_t Rotation = 0;
    std::int32_t TextAlign = 0;
    std::int32_t Kind = FreeSlot;
    // Shapes: pen width in 0.2 mm steps. Pictures: the transparent colour.
    std::int32_t LineWidth = 0;
    std::int32_t BorderColor = 0;
    // Shapes: 0 filled, 1 only border, 2 filled with border. Texts: shadow colour.
    std::int32_t FillMode = 0;
    std::int32_t Color = 0;
    bool AutoTransparent = false;
    bool Transparent = false;
    bool Shadow = false;
    bool Outline = false;
    std::int32_t ShadowDX = 5;
    std::int32_t ShadowDY = 5;
    std::int32_t ShapeKind = 0;
    // Texts: lines separated by one carriage return. Pictures: the file's path as chosen.
    std::string Text;
    imaging::DibRecord Picture;
    std::int32_t FontColor = 0;
    std::int32_t FontHeight = 0;
    std::string FontName;
    std::uint8_t FontPitch = 0;
    std::int32_t FontSize = 0;
    std::uint8_t FontStyle = 0;

    bool isUsed() const { return Kind >= ShapeObject && Kind <= PictureObject; }

    std::int32_t& TransparentKey() { return LineWidth; }
    std::int32_t TransparentKey() const { return LineWidth; }
    std::int32_t& ShadowColor() { return FillMode; }
    std::int32_t ShadowColor() const { return FillMode; }
    std::string& PictureFile() { return Text; }
    const std::string& PictureFile() const { return Text; }
};

// Tobs' stored fields, each once, in the order of the card file's entry: `field(name, member)`
// with the field's name (its JSON key) and a pointer to the member. The card file, the
// clipboard entry, the JSON of dump and build, the undo diff and equality all walk this list,
// so a field added here is stored, copied, dumped and undone everywhere. The picture is not a
// stored field: files keep its path in Text.
template <class Field> constexpr void visitStoredFields(Field&& field)
{
    field("Left", &Tobs::Left);
    field("Top", &Tobs::Top);
    field("Width", &Tobs::Width);
    field("Height", &Tobs::Height);
    field("KeepAspect", &Tobs::KeepAspect);
    field("Kind", &Tobs::Kind);
    field("Color", &Tobs::Color);
    field("ShapeKind", &Tobs::ShapeKind);
    field("TextAlign", &Tobs::TextAlign);
    field("BorderColor", &Tobs::BorderColor);
    field("FillMode", &Tobs::FillMode);
    field("Shadow", &Tobs::Shadow);
    field("Outline", &Tobs::Outline);
    field("ShadowDX", &Tobs::ShadowDX);
    field("ShadowDY", &Tobs::ShadowDY);
    field("Transparent", &Tobs::Transparent);
    field("AutoTransparent", &Tobs::AutoTransparent);
    field("LineWidth", &Tobs::LineWidth);
    field("Rotation", &Tobs::Rotation);
    field("Text", &Tobs::Text);
    field("FontColor", &Tobs::FontColor);
    field("FontHeight", &Tobs::FontHeight);
    field("FontName", &Tobs::FontName);
    field("FontPitch", &Tobs::FontPitch);
    field("FontSize", &Tobs::FontSize);
    field("FontStyle", &Tobs::FontStyle);
}

inline bool sameStoredFields(const Tobs& a, const Tobs& b)
{
    bool same = true;
    visitStoredFields([&](const char*, auto member) { same = same && a.*member == b.*member; });
    return same;
}

}  // namespace vellamo::document
