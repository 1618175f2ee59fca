#pragma once

#include "documents/DocumentText.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct Pix;
namespace tesseract {
class TessBaseAPI;
}

// Text recognition for pages that hold only a picture of their text: scans and photographs.

// The Debian packages recognition needs, for the message when it is missing.
inline constexpr const char* kRecognitionPackages = "libtesseract5 and tesseract-ocr-eng";

// The most pixels a picture may have: a page scanned at 600 dpi has some 35 million. A larger one
// is refused before any of it is unpacked.
inline constexpr std::size_t kMostImagePixels = 60'000'000;

// The resolution scanned PDF pages are drawn at for recognition.
inline constexpr double kRecognitionDpi = 300;

struct Recognition {
    bool stopped = false;
    std::string text;
};

// One recognition engine, loaded once for all the pages of a document.
class TextRecogniser {
public:
    TextRecogniser();
    ~TextRecogniser();
    TextRecogniser(const TextRecogniser&) = delete;
    TextRecogniser& operator=(const TextRecogniser&) = delete;

    // False when the engine or its English data is not installed.
    bool Ready() const { return m_ready; }
    // Recognises a picture; a page that reads badly is tried turned by a quarter each way, for a
    // page scanned sideways. `goOn` is asked now and then; false stops.
    Recognition Recognise(Pix* picture, const std::function<bool()>& goOn = {});
    // The same for a grey picture, one byte a pixel, `stride` bytes a row.
    Recognition RecogniseGrey(const unsigned char* pixels, int width, int height, int stride,
                              const std::function<bool()>& goOn = {});

private:
    Recognition RecogniseTurned(Pix* picture, const std::function<bool()>& goOn, int& confidence);

    std::unique_ptr<tesseract::TessBaseAPI> m_engine;
    bool m_ready = false;
};

// A picture file (PNG, JPEG, TIFF) read by recognition.
DocumentText ReadImageText(std::string_view bytes, const ReadProgress& progress = {});
