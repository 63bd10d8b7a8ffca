#pragma once

// What persists between runs in the user's settings: the main window's placement and the
// print page's cut-lines check box.

#include <QByteArray>
#include <optional>

class QWidget;

namespace vellamo::app {

std::optional<QByteArray> savedWindowGeometry();
void saveWindowGeometry(const QWidget& window);

bool savedCutLines();
void saveCutLines(bool on);

}  // namespace vellamo::app
