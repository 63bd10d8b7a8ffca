#include "editor/centred_on_screen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vellamo::editor {

namespace {

// Where a window shown on `screen` has to be moved so that its frame stands in the middle.
// Before its first showing a window knows nothing of the title bar and border the window
// manager will give it, and a position given then is taken for the inside of the window; its
// owner's window has the same frame, so that is used instead.
QPoint centredPosition(const QWidget& window, const QRect& screen)
{
    if (window.frameGeometry().size() != window.size() || !window.parentWidget())
        return centredTopLeft(window.frameGeometry().size(), screen);
    const QWidget* owner = window.parentWidget()->window();
    const QSize frame = window.size() + owner->frameGeometry().size() - owner->size();
    return centredTopLeft(frame, screen) + (owner->geometry().topLeft() - owner->frameGeometry().topLeft());
}

class CentreOnShow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* window = static_cast<QWidget*>(watched);
            if (const QScreen* screen = QGuiApplication::primaryScreen())
                window->move(centredPosition(*window, screen->availableGeometry()));
        }
        return false;
    }
};

}  // namespace

QPoint centredTopLeft(QSize frameSize, const QRect& available)
{
    return {available.x() + (available.width() - frameSize.width()) / 2,
            available.y() + (available.height() - frameSize.height()) / 2};
}

void keepCentredOnScreen(QWidget& window) { window.installEventFilter(new CentreOnShow(&window)); }

}  // namespace vellamo::editor
