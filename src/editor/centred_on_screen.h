#pragma once

// Dialogs that open in the middle of the screen at every showing, wherever they stood before
// and wherever their owner stands.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace vellamo::editor {

// The top-left corner that puts a window of `frameSize` (title bar and border included) in
// the middle of `available`.
QPoint centredTopLeft(QSize frameSize, const QRect& available);

// From now on the window is moved to the middle of its screen's available area whenever it
// is shown.
void keepCentredOnScreen(QWidget& window);

}  // namespace vellamo::editor
