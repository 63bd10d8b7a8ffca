#pragma once

// A card drawn into a white picture at 100 pixels per inch, where 200 object units are one pixel.

#include "render/card_renderer.h"

#include <QImage>
#include <QPainter>
#include <QRect>

namespace vellamo::testing {

inline constexpr double TestScale = 0.005;

inline std::int32_t units(int pixels) { return pixels * 200; }

inline std::int32_t colorRef(int r, int g, int b) { return r | (g << 8) | (b << 16); }

struct Canvas {
    document::CardDocument doc;
    render::RenderContext context;
    QImage image;
    double scale = TestScale;

    explicit Canvas(int width = 300, int height = 200) : image(width, height, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        doc.RenderMode = document::DeviceConversion;
        doc.PrintScale = TestScale;
    }

    document::Tobs& add(int slot, int kind, int x, int y, int w, int h)
    {
        document::Tobs& o = doc.object(slot);
        o.Kind = kind;
        o.Left = units(x);
        o.Top = units(y);
        o.Width = units(w);
        o.Height = units(h);
        return o;
    }

    // Not framed: the card of w x h pixels lands with its top-left corner at (cx, cy).
    void drawCard(int w, int h, int cx, int cy)
    {
        QPainter p(&image);
        render::DrawVCart(p, doc, context, w, h, w - cx, h - cy, scale, false);
    }

    // Framed: the whole editing area of w x h pixels from the picture's top-left corner.
    void drawFramed(int w, int h)
    {
        QPainter p(&image);
        render::DrawVCart(p, doc, context, w, h, 0, 0, scale, true);
    }

    QRgb at(int x, int y) const { return image.pixel(x, y); }
    bool isWhite(int x, int y) const { return at(x, y) == qRgb(255, 255, 255); }
    // More than half covered by a red figure on white.
    bool isRed(int x, int y) const
    {
        return qRed(at(x, y)) > 200 && qGreen(at(x, y)) < 128 && qBlue(at(x, y)) < 128;
    }

    // The smallest rectangle holding every pixel that is not white.
    QRect ink() const
    {
        QRect r;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!isWhite(x, y))
                    r = r.united(QRect(x, y, 1, 1));
        return r;
    }
};

// A 24-bit picture whose pixel (x, y) is colour(x, y).
template <typename Colour> imaging::DibRecord picture24(int w, int h, Colour colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, colour(x, y));
    return imaging::DibRecord(image, 24);
}

}  // namespace vellamo::testing
