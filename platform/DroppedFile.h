#pragma once

#include <optional>
#include <string>

class QMimeData;

// The one local file a drag carries, as 8-bit text; nothing for several files, a folder, or
// anything that is not a local file.
std::optional<std::string> DroppedFile(const QMimeData* data);
