#pragma once

#include <optional>
#include <string>
#include <vector>

class QMimeData;

// The one local file a drag carries, as 8-bit text; nothing for several files, a folder, or
// anything that is not a local file.
std::optional<std::string> DroppedFile(const QMimeData* data);

// The local files a drag carries, as 8-bit text, in its order, each once; folders and anything that
// is not a local file are left out. None when nothing is left.
std::vector<std::string> DroppedFiles(const QMimeData* data);
