#include "addressbook/picture_name.h"

namespace vellamo::addressbook {

QString stripEnclosingQuotes(const QString& text)
{
    QString name = text;
    if (name.startsWith(u'"'))
        name.remove(0, 1);
    if (name.endsWith(u'"'))
        name.chop(1);
    return name;
}

QRect logoPreviewRect(int pictureWidth, int pictureHeight, int W, int H)
{
    if (pictureWidth <= 0 || pictureHeight <= 0 || W <= 0 || H <= 0)
        return {};
    qint64 w = W;
    qint64 h = qint64(pictureHeight) * W / pictureWidth;
    if (h > H) {
        h = H;
        w = qint64(pictureWidth) * H / pictureHeight;
    }
    return QRect(int((W - w) / 2), int((H - h) / 2), int(w), int(h));
}

}  // namespace vellamo::addressbook
