#include "documents/PdfText.h"

#include "documents/PdfPageLayout.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

namespace {

// The library reports every oddity of a file on the standard error; the reader's result says
// what matters.
void IgnoreLibraryMessage(const std::string&, void*) {}

void QuietLibrary() {
    static const bool quiet = [] {
        poppler::set_debug_error_function(IgnoreLibraryMessage, nullptr);
        return true;
    }();
    (void)quiet;
}

std::string Utf8(const poppler::ustring& text) {
    const poppler::byte_array utf8 = text.to_utf8();
    std::string bytes(utf8.begin(), utf8.end());
    // Each page ends in a form feed, which a text view shows as a box.
    std::replace(bytes.begin(), bytes.end(), '\f', '\n');
    return bytes;
}

// A page's text as a person reads it. Laid out as on the page, a table's row stays on its line
// and a list keeps its bullets' indent; but columns whose lines run on (a sidebar beside the main
// column) would be read across, a piece of each in every line, so such a page is read in the
// library's reading order, column after column.
std::string PageText(const poppler::document& document, int index) {
    const std::unique_ptr<poppler::page> page(document.create_page(index));
    if (!page)
        return {};
    std::string text = Utf8(page->text(poppler::rectf(), poppler::page::physical_layout));
    if (HasFlowingColumns(text))
        text = Utf8(page->text(poppler::rectf(), poppler::page::non_raw_non_physical_layout));
    text = WithoutPageNumber(std::move(text), index + 1, document.pages());
    // Blank lines at either end, and the line ends of a removed number, would only part the pages.
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    const std::size_t firstLine = text.find_first_not_of(" \n");
    const std::size_t lineStart = text.rfind('\n', firstLine);
    if (firstLine != std::string::npos && lineStart != std::string::npos)
        text.erase(0, lineStart + 1);
    return text;
}

} // namespace

DocumentText ReadPdfText(std::string_view bytes, const ReadProgress& progress) {
    QuietLibrary();
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
        return Problem(DocumentKind::Pdf, ReadProblem::TooLarge);
    // The library reads the bytes in place; they outlive the document.
    const std::unique_ptr<poppler::document> document(
        poppler::document::load_from_raw_data(bytes.data(), static_cast<int>(bytes.size())));
    if (!document)
        return Problem(DocumentKind::Pdf, ReadProblem::Damaged);
    if (document->is_locked())
        return Problem(DocumentKind::Pdf, ReadProblem::Locked);
    const int pages = document->pages();
    std::string text;
    for (int index = 0; index < pages; ++index) {
        if (progress && !progress(static_cast<std::size_t>(index), static_cast<std::size_t>(pages)))
            return Problem(DocumentKind::Pdf, ReadProblem::Stopped);
        std::string page = PageText(*document, index);
        if (page.empty())
            continue;
        // Pages are set apart by a blank line, as paragraphs are.
        if (!text.empty())
            text += "\n\n";
        text += page;
    }
    if (progress)
        progress(static_cast<std::size_t>(pages), static_cast<std::size_t>(pages));
    return TextOrNoText(DocumentKind::Pdf, std::move(text));
}
