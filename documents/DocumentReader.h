#pragma once

#include "documents/DocumentText.h"

#include <string>
#include <string_view>

// Reads a chosen file as the text import shows it, deciding its kind by its content: a PDF,
// Word or OpenDocument document or a web page becomes its plain text in UTF-8; an old Word or
// RTF document goes through its converter; anything else is a plain text file, whose bytes are
// kept as they are, up to the first zero byte.
DocumentText ReadDocument(const std::string& path, const ReadProgress& progress = {});

// The same for bytes already read; `path` names the file (its extension, and for the
// converters the file itself).
DocumentText ReadDocumentBytes(std::string bytes, const std::string& path, const ReadProgress& progress = {});

// What to tell the user when a file gave no text: the file's path and what is wrong.
std::string ProblemMessage(const std::string& path, const DocumentText& result);
