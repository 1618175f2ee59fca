#pragma once

#include "documents/DocumentText.h"

#include <string_view>

// The text of a PDF file, page after page in reading order; progress counts pages.
DocumentText ReadPdfText(std::string_view bytes, const ReadProgress& progress = {});
