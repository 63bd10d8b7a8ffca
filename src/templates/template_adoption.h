#pragma once

// Turning the selected template layout into card objects, without widgets: the caller puts
// the result into the card as one change.

#include "document/card_document.h"
#include "document/picture_loader.h"
#include "document/prompter.h"
#include "render/placeholders.h"
#include "templates/template_geometry.h"

#include <vector>

namespace vellamo::templates {

struct TemplateCard {
    // For slots 1, 2, ... in this order.
    std::vector<document::Tobs> objects;
    std::int32_t BackgroundMode = document::NoBackground;
    std::string BackgroundFile;
    imaging::DibRecord BackgroundPicture;
    // The normal zoom the boxes were computed at.
    double ZoomNum = 1.0;
    double ZoomDen = 208.0;
};

struct TemplateCardInput {
    const TemplateSet* set = nullptr;
    int selected = 0;
    double cardWidthMm = 0;
    double cardHeightMm = 0;
    std::int32_t cardExtentX = 0;
    std::int32_t cardExtentY = 0;
    int screenDpi = 96;
    // The current address; texts are measured with it, stored with their tokens.
    const render::PlaceholderFields* placeholders = nullptr;
};

// The objects of the selected layout, column by column, each text in the largest font under
// 100 pixels that fits its cell, each picture reloaded from its file. A picture or background
// that cannot be read is reported through `ask` and left out. Nothing without such a layout.
TemplateCard RenderTemplate(const TemplateCardInput& input, const TextMeasure& measure,
                            const document::PictureLoader& pictures, document::Prompter& ask);

// The text of an element as drawn: placeholders filled, lines broken at each carriage return.
QString templateTextToDraw(const std::string& text, const render::PlaceholderFields* placeholders);

}  // namespace vellamo::templates
