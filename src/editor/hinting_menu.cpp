#include "editor/hinting_menu.h"

#include <QCoreApplication>

namespace vellamo::editor {

bool HintingMenu::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip && parentWidget())
        return QCoreApplication::sendEvent(parentWidget(), event);
    return QMenu::event(event);
}

}  // namespace vellamo::editor
