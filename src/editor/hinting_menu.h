#pragma once

// A popup menu whose item hints reach the main window's status bar. Qt sends a hovered item's
// hint to the menu that holds it, and a menu opened on its own (not from a menu bar) is a
// window of its own, where the hint stops; this menu hands it on to its parent widget.

#include <QMenu>

namespace vellamo::editor {

class HintingMenu : public QMenu {
public:
    explicit HintingMenu(QWidget* parent = nullptr) : QMenu(parent) {}

protected:
    bool event(QEvent* event) override;
};

}  // namespace vellamo::editor
