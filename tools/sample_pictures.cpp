// Draws the two sample pictures the template assistant names by default: "sky.jpg", a soft
// sky with a few clouds, and "logo.jpg", a simple abstract logo. Run once; the pictures are
// kept in data/ and shipped with the program.
//
//     vellamo_sample_pictures OUTPUT_FOLDER

#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cstdio>

namespace {

void cloud(QPainter& p, double x, double y, double scale)
{
    // A few overlapping soft puffs with a flatter base.
    const struct {
        double dx, dy, r;
    } puffs[] = {{0, 0, 38}, {42, -18, 46}, {92, -6, 40}, {128, 8, 30}, {-34, 12, 28}, {60, 16, 36}};
    for (const auto& puff : puffs) {
        const QPointF centre(x + puff.dx * scale, y + puff.dy * scale);
        const double r = puff.r * scale;
        QRadialGradient g(centre, r);
        g.setColorAt(0.0, QColor(255, 255, 255, 235));
        g.setColorAt(0.7, QColor(250, 252, 255, 200));
        g.setColorAt(1.0, QColor(245, 248, 255, 0));
        p.setBrush(g);
        p.setPen(Qt::NoPen);
        p.drawEllipse(centre, r, r);
    }
}

QImage sky()
{
    QImage image(900, 550, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, image.height());
    g.setColorAt(0.0, QColor(96, 150, 214));
    g.setColorAt(0.55, QColor(160, 198, 236));
    g.setColorAt(1.0, QColor(226, 238, 250));
    p.fillRect(image.rect(), g);
    cloud(p, 140, 120, 1.1);
    cloud(p, 560, 90, 0.8);
    cloud(p, 700, 330, 1.3);
    cloud(p, 260, 400, 0.9);
    return image;
}

QImage logo()
{
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Three interlocking shapes: a teal ring, an orange leaf and a navy square turned 45 degrees.
    p.setPen(QPen(QColor(0, 128, 128), 34));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(170, 200), 110, 110);

    QPainterPath leaf;
    leaf.moveTo(230, 330);
    leaf.cubicTo(200, 220, 260, 110, 370, 70);
    leaf.cubicTo(380, 180, 330, 290, 230, 330);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 140, 40));
    p.drawPath(leaf);

    p.save();
    p.translate(170, 200);
    p.rotate(45);
    p.setBrush(QColor(30, 45, 100));
    p.drawRect(QRectF(-34, -34, 68, 68));
    p.restore();
    return image;
}

}  // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: vellamo_sample_pictures OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/");
    if (!sky().save(folder + QStringLiteral("sky.jpg"), "JPG", 88) ||
        !logo().save(folder + QStringLiteral("logo.jpg"), "JPG", 92)) {
        std::fputs("the pictures could not be written\n", stderr);
        return 1;
    }
    return 0;
}
