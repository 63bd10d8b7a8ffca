#pragma once

// The editing tools of the tool bar's exclusive group: "Pointer", "Zoom", "Hand", "Object",
// "Text" and "Picture".

namespace vellamo::editor {

enum class EditingTool { Pointer, Zoom, Hand, Object, Text, Picture };

}  // namespace vellamo::editor
