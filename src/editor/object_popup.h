#pragma once

// PopupMenu1, the object popup menu, and which of its items are enabled and checked for an
// object (plain rules, tested without widgets).

#include "document/tobs.h"
#include "editor/hinting_menu.h"

#include <array>
#include <optional>

namespace vellamo::editor {

class EditorCommands;

enum class PopupItem {
    Delete,
    ToFront,
    ToBack,
    Colour,
    Font,
    TextEffects,
    LeftJustified,
    Centered,
    RightJustified,
    Transparency,
    MaintainAspect,
    RotateLeft,
    RotateRight,
    Circle,
    Ellipse,
    Square,
    Rectangle,
    SquareRounded,
    RectangleRounded,
    LineHorizontal,
    LineVertical,
    LineUp,
    LineDown,
};
inline constexpr int PopupItemCount = int(PopupItem::LineDown) + 1;

struct PopupItemState {
    bool enabled = true;
    // Empty: the mark stays as it was.
    std::optional<bool> checked;
};

using PopupState = std::array<PopupItemState, PopupItemCount>;

PopupState popupState(const document::Tobs& object);

class ObjectPopup : public HintingMenu {
public:
    ObjectPopup(EditorCommands& commands, QWidget* parent = nullptr);

    QAction* item(PopupItem which) const { return m_items[std::size_t(which)]; }
    // Enables and checks the items for the object, then shows the menu at `globalPos`.
    void PopItUp(const document::Tobs& object, QPoint globalPos);
    // The same without showing, for tests.
    void prepare(const document::Tobs& object);

private:
    std::array<QAction*, PopupItemCount> m_items{};
    // The marks as prepared last; a click lets Qt tick an item, which must not outlive the menu.
    std::array<bool, PopupItemCount> m_marks{};
};

}  // namespace vellamo::editor
