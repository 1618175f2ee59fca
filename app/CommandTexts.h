#pragma once

#include <string>

// The careers site the web harvest reads; named in the From Website prompt.
inline constexpr const char* kCareersSiteDomain = "careers.example.com";

// The prompt string of a command: the status-bar prompt, "\n", then the tooltip.
// Empty for a command without one.
std::string CommandPromptString(int commandId);

// The part before the first "\n" and the part after it.
std::string StatusPrompt(const std::string& promptString);
std::string ToolTipText(const std::string& promptString);
