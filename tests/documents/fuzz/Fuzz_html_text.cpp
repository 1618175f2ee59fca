// Any bytes, read as a web page: the reader answers with text or a problem, never more.
#include "documents/HtmlText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DocumentText result = ReadHtmlText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (result.Ok() == result.text.empty())
        std::abort();
    return 0;
}
