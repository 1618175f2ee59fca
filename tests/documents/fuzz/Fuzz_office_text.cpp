// Any bytes, read as a Word or OpenDocument package when they look like a ZIP archive, else as
// the markup inside one (both kinds): the readers answer with text or a problem, never more.
#include "documents/OfficeText.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(const DocumentText& result) {
    if (result.Ok() == result.text.empty())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.substr(0, 2) == "PK") {
        Check(ReadOfficeText(bytes));
    } else {
        Check(WordMarkupText(bytes));
        Check(OpenDocumentMarkupText(bytes));
    }
    return 0;
}
