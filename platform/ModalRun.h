#pragma once

#include <functional>

class QDialog;

// Every modal dialog runs through here, so tests can act on a dialog once it is shown.
int RunModal(QDialog& dialog);

// The handler receives each dialog shortly after it is shown, inside its modal loop, and must
// close it. Nested dialogs reach the same handler. An empty function restores plain runs.
// Returns the handler it replaced.
using ModalHandler = std::function<void(QDialog&)>;
ModalHandler SetModalHandler(ModalHandler handler);
