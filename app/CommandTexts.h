#pragma once

#include "harvest/CareersSite.h"

#include <string>

// The prompt string of a command: the status-bar prompt, "\n", then the tooltip.
// Empty for a command without one.
std::string CommandPromptString(int commandId);

// The part before the first "\n" and the part after it.
std::string StatusPrompt(const std::string& promptString);
std::string ToolTipText(const std::string& promptString);
