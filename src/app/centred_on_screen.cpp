#include "app/centred_on_screen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vellamo::app {

namespace {

class CentreOnShow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* window = static_cast<QWidget*>(watched);
            const QScreen* screen = QGuiApplication::primaryScreen();
            if (screen)
                window->move(centredTopLeft(window->frameGeometry().size(), screen->availableGeometry()));
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

}  // namespace vellamo::app
