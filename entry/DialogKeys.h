#pragma once

class QDialog;
class QPlainTextEdit;

// Tab and Shift+Tab move on through the dialog, as from every other control; Ctrl+Tab types a
// tab character into the box.
void TabMovesFocus(QPlainTextEdit* box);

// Enter on a focused push button presses it, in a dialog that has no default button (where Qt
// would make the first button ever focused the default for Enter in every box).
void EnterPressesFocusedButton(QDialog* dialog);
