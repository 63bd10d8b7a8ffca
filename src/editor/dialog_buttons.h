#pragma once

// The last row of the program's small dialogs: OK, the default button, and "&Cancel" at the
// right. Cancel rejects the dialog; what OK does is the dialog's own.

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace vellamo::editor {

// Creates both buttons as children of `dialog` (they join its tab order here) and returns the
// row holding them, for the dialog to add to its layout.
QHBoxLayout* okCancelRow(QDialog& dialog, QPushButton*& ok, QPushButton*& cancel);

}  // namespace vellamo::editor
