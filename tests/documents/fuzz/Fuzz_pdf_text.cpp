// Any bytes, read as a PDF: the reader answers with text or a problem, never more.
#include "documents/PdfText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DocumentText result = ReadPdfText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (result.Ok() == result.text.empty())
        std::abort(); // text exactly when there is no problem
    return 0;
}
