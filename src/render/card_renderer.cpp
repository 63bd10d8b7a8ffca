#include "render/card_renderer.h"

namespace vellamo::render {

void DrawVCart(QPainter& surface, document::CardDocument& doc, const RenderContext& context, int W, int H, int XOff,
               int YOff, double Scale, bool Framed)
{
    // Not drawn yet.
    (void)surface;
    (void)context;
    (void)W;
    (void)H;
    (void)XOff;
    (void)YOff;
    (void)Scale;
    (void)Framed;
    doc.Rendering = false;
}

}  // namespace vellamo::render
