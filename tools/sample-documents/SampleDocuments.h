#pragma once

#include <string>
#include <utility>
#include <vector>

// Documents made on the spot (a running QGuiApplication is needed for the PDFs).

// A PDF whose pages carry these texts as real text, one line of the page per line of the text.
std::string TextPdf(const std::vector<std::string>& pages);
// Text set at a place on a page (in points from the top left), one line of the page per line
// of the text; several side by side make columns or a table.
struct PlacedText {
    double x = 50;
    double y = 60;
    std::string text;
};
// A PDF whose pages carry these placed texts, in the order given.
std::string LaidOutPdf(const std::vector<std::vector<PlacedText>>& pages);
// A PDF of `pages` pages that are pictures of text only, as a scanner makes them.
std::string ScannedPdf(int pages);
// The same with these texts, one a page, scanned at 200 dpi; `sideways` turns every page's
// picture by a quarter, as a page fed into the scanner the wrong way round.
std::string ScannedPdf(const std::vector<std::string>& pages, bool sideways = false);
// A page with this text as a picture file ("PNG", "JPEG", "TIFF"), at 200 dpi.
std::string ScannedImage(const std::string& text, const char* format);
// A PDF whose pages are text, or (where `scanned` says so) pictures of text.
std::string MixedPdf(const std::vector<std::pair<std::string, bool>>& pages);

// A ZIP archive of these parts (name, bytes), compressed.
std::string ZipArchive(const std::vector<std::pair<std::string, std::string>>& parts);
// A Word package whose body is `body`, markup with the prefix "w" (and "mc" for compatibility);
// `numbering` and `styles`, when given, are the insides of its numbering and styles parts.
std::string WordPackage(const std::string& body, const std::string& numbering = {},
                        const std::string& styles = {});
// An OpenDocument text package whose text is `text`, markup with the prefixes "text", "table",
// "style" and "office"; `listStyles` go among its automatic styles.
std::string OpenDocumentPackage(const std::string& text, const std::string& listStyles = {});
// The markup of a Word body, as WordPackage wraps it.
std::string WordMarkup(const std::string& body);
// The markup of an OpenDocument text, as OpenDocumentPackage wraps it.
std::string OpenDocumentMarkup(const std::string& text, const std::string& listStyles = {});
