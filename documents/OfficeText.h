#pragma once

#include "documents/DocumentText.h"
#include "documents/WordNumbering.h"

#include <string_view>

// The text of a Word (.docx) or OpenDocument (.odt) document held in a ZIP archive: paragraphs
// and line breaks end lines, tabs stay tabs, a table's cells are joined by tabs and its rows end
// lines; a list item starts with its label ("• ", "2. "); nothing else of the markup shows.
// Progress counts bytes of the document's markup.
DocumentText ReadOfficeText(std::string_view archive, const ReadProgress& progress = {});

// The body text of the markup inside those archives (word/document.xml, content.xml), with the
// lists that the numbering and styles parts define (word/numbering.xml and word/styles.xml, or
// the list styles of styles.xml beside those of content.xml).
DocumentText WordMarkupText(std::string_view xml, const ReadProgress& progress = {},
                            WordNumbering numbering = {});
DocumentText OpenDocumentMarkupText(std::string_view xml, const ReadProgress& progress = {},
                                    std::string_view stylesXml = {});
