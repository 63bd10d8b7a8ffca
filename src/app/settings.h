#pragma once

// What persists between runs in the user's settings: the main window's placement and the
// print page's cut-lines check box, the JPEG quality dialog's two values.

#include <QByteArray>
#include <optional>

class QWidget;

namespace vellamo::app {

std::optional<QByteArray> savedWindowGeometry();
void saveWindowGeometry(const QWidget& window);

bool savedCutLines();
void saveCutLines(bool on);

// The slider's and the number's value, 75 and 75 until saved.
struct JpegQualitySetting {
    int slider = 75;
    int number = 75;
};
JpegQualitySetting savedJpegQuality();
void saveJpegQuality(const JpegQualitySetting& values);

}  // namespace vellamo::app
