#pragma once

#include <functional>

// Runs one command handler. An engine error ends the command: its own text is shown with the
// critical icon and control returns to the caller, whose dialog stays open and usable.
// Returns false when the handler was ended that way.
bool RunGuarded(const std::function<void()>& handler);
