#pragma once

#include "documents/DocumentText.h"

#include <chrono>
#include <optional>
#include <string>

class QWidget;

// Reads a chosen file for the text import. A reading that goes on for a while shows its progress
// over `parent` and keeps the windows painting; Escape or the box's Stop button stops it, and
// then nothing is returned.
std::optional<DocumentText> ReadForImport(QWidget* parent, const std::string& path);

// How long a reading runs before its progress shows. Returns the delay it replaced.
std::chrono::milliseconds SetProgressDelay(std::chrono::milliseconds delay);

inline constexpr int kProgressStopButton = 2001;
