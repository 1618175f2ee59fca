#include "documents/PdfText.h"

#include "documents/PdfPageLayout.h"
#include "documents/RecognisedText.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <memory>
#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page-renderer.h>
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
std::string PageText(const poppler::page* page, int index, int pages) {
    if (page == nullptr)
        return {};
    std::string text = Utf8(page->text(poppler::rectf(), poppler::page::physical_layout));
    if (HasFlowingColumns(text))
        text = Utf8(page->text(poppler::rectf(), poppler::page::non_raw_non_physical_layout));
    text = WithoutPageNumber(std::move(text), index + 1, pages);
    // Blank lines at either end, and the line ends of a removed number, would only part the pages.
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    const std::size_t firstLine = text.find_first_not_of(" \n");
    const std::size_t lineStart = text.rfind('\n', firstLine);
    if (firstLine != std::string::npos && lineStart != std::string::npos)
        text.erase(0, lineStart + 1);
    return text;
}

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t\n\r") == std::string::npos;
}

// A page that holds only a picture, drawn in grey at the resolution recognition needs (less for
// a page so large that it would take more pixels than a picture may have).
Recognition RecognisedPage(const poppler::page& page, TextRecogniser& recogniser,
                           const std::function<bool()>& goOn) {
    const poppler::rectf box = page.page_rect(poppler::media_box);
    double dpi = kRecognitionDpi;
    const double pixels = box.width() * box.height() / (72.0 * 72.0) * dpi * dpi;
    if (pixels > static_cast<double>(kMostImagePixels))
        dpi *= std::sqrt(static_cast<double>(kMostImagePixels) / pixels);
    poppler::page_renderer renderer;
    renderer.set_image_format(poppler::image::format_gray8);
    renderer.set_render_hint(poppler::page_renderer::antialiasing, true);
    const poppler::image picture = renderer.render_page(&page, dpi, dpi);
    if (!picture.is_valid())
        return {};
    return recogniser.RecogniseGrey(reinterpret_cast<const unsigned char*>(picture.const_data()),
                                    picture.width(), picture.height(), picture.bytes_per_row(), goOn);
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
    std::unique_ptr<TextRecogniser> recogniser; // loaded at the first page without text
    bool recognised = false;
    bool unrecognised = false;
    for (int index = 0; index < pages; ++index) {
        const auto done = static_cast<std::size_t>(index);
        const auto total = static_cast<std::size_t>(pages);
        if (progress && !progress(done, total))
            return Problem(DocumentKind::Pdf, ReadProblem::Stopped);
        const std::unique_ptr<poppler::page> page(document->create_page(index));
        std::string pageText = PageText(page.get(), index, pages);
        if (IsBlank(pageText) && page) {
            if (!recogniser)
                recogniser = std::make_unique<TextRecogniser>();
            if (!recogniser->Ready()) {
                unrecognised = true;
                continue;
            }
            const Recognition recognition =
                RecognisedPage(*page, *recogniser, [&] { return !progress || progress(done, total); });
            if (recognition.stopped)
                return Problem(DocumentKind::Pdf, ReadProblem::Stopped);
            pageText = WithoutPageNumber(recognition.text, index + 1, pages);
            while (!pageText.empty() && (pageText.back() == '\n' || pageText.back() == ' '))
                pageText.pop_back();
            recognised = recognised || !IsBlank(pageText);
        }
        if (IsBlank(pageText))
            continue;
        // Pages are set apart by a blank line, as paragraphs are.
        if (!text.empty())
            text += "\n\n";
        text += pageText;
    }
    if (progress)
        progress(static_cast<std::size_t>(pages), static_cast<std::size_t>(pages));
    if (IsBlank(text) && unrecognised)
        return Problem(DocumentKind::Pdf, ReadProblem::NoRecognition);
    DocumentText result = TextOrNoText(DocumentKind::Pdf, std::move(text));
    result.recognised = recognised && result.Ok();
    return result;
}
