#pragma once

// Rules for the picture file-name fields (the logo, the template picture and background) and
// for fitting a picture into a preview box. No widgets here.

#include <QRect>
#include <QString>

namespace vellamo::addressbook {

// Removes a double quote at the first and one at the last position; others stay.
QString stripEnclosingQuotes(const QString& text);

// The whole picture fitted into a W x H box keeping its proportions and centred:
// full width first, full height when that is too tall. Empty for an empty picture.
QRect logoPreviewRect(int pictureWidth, int pictureHeight, int W, int H);

}  // namespace vellamo::addressbook
