// Any bytes, read as a picture of text: the reader answers with text or a problem, never more.
#include "documents/RecognisedText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DocumentText result = ReadImageText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (result.Ok() == result.text.empty())
        std::abort(); // text exactly when there is no problem
    return 0;
}
