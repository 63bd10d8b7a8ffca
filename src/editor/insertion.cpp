#include "editor/insertion.h"

#include "document/ansi_text.h"
#include "document/units.h"
#include "render/picture_operations.h"

namespace vellamo::editor {

using document::Tobs;

int insertObject(document::CardDocument& doc, NewObjectKind kind, int x, int y, InsertionContext& context)
{
    const int slot = doc.lowestFreeSlot();
    if (slot == 0) {
        context.ask.inform(QStringLiteral("Error: No more free object available"),
                           QStringLiteral("To much objects created!"), document::MessageIcon::Information);
        return 0;
    }
    Tobs& o = doc.object(slot);
    switch (kind) {
    case NewObjectKind::Shape:
        o.Kind = document::ShapeObject;
        break;
    case NewObjectKind::Text:
        o.Kind = document::TextObject;
        break;
    case NewObjectKind::Picture: {
        const auto chosen = context.pictures ? context.pictures->choosePicture() : std::nullopt;
        if (!chosen)
            return 0;
        o.PictureFile() = document::toAnsi(*chosen);
        imaging::deldib(o.Picture);
        if (!render::LoadDIBit(o.Picture, *chosen, context.programFolder, context.progress)) {
            context.ask.inform(document::DefaultCaption, "Could not open picture (" + *chosen + ").",
                               document::MessageIcon::Error);
            return 0;
        }
        o.Kind = document::PictureObject;
        break;
    }
    }
    doc.SelectedObject = slot;
    o.KeepAspect = true;
    o.ShapeKind = document::ShapeRectangle;
    document::SetLeft(doc, o, x);
    document::SetTop(doc, o, y);
    document::SetWidth(doc, o, 50);
    document::SetHeight(doc, o, 50);
    if (o.Kind == document::PictureObject) {
        // About 10000 / dpi units per picture pixel: a 96-pixel picture is half an inch wide.
        const double unitsPerPixel = 10000.0 / context.screenDpi;
        document::SetWidth(
            doc, o, document::truncToInt32(unitsPerPixel * o.Picture.width() * doc.ZoomNum / doc.ZoomDen));
        document::SetHeight(
            doc, o, document::truncToInt32(unitsPerPixel * o.Picture.height() * doc.ZoomNum / doc.ZoomDen));
    }
    o.Color = 0;
    if (o.Kind != document::PictureObject)
        o.Text.clear();
    o.FontColor = context.font.color;
    o.FontHeight = context.font.height;
    o.FontName = context.font.name;
    o.FontPitch = context.font.pitch;
    o.FontStyle = context.font.style;
    o.FontSize = context.font.size;
    return slot;
}

}  // namespace vellamo::editor
