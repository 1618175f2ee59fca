#include "documents/RecognisedText.h"

#include <leptonica/allheaders.h>
#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>

namespace {

// A page that reads with less confidence than this may be lying on its side.
constexpr int kUprightConfidence = 60;

struct PixFreer {
    void operator()(Pix* picture) const { pixDestroy(&picture); }
};
using OwnedPix = std::unique_ptr<Pix, PixFreer>;

bool Cancel(void* goOn, int) {
    const auto& ask = *static_cast<const std::function<bool()>*>(goOn);
    return ask && !ask();
}

void QuietLibrary() {
    static const bool quiet = [] {
        setMsgSeverity(L_SEVERITY_NONE); // a damaged picture is the reader's to report
        return true;
    }();
    (void)quiet;
}

} // namespace

TextRecogniser::TextRecogniser() : m_engine(std::make_unique<tesseract::TessBaseAPI>()) {
    QuietLibrary();
    m_ready = m_engine->Init(nullptr, "eng") == 0;
    if (m_ready)
        m_engine->SetPageSegMode(tesseract::PSM_AUTO);
}

TextRecogniser::~TextRecogniser() {
    m_engine->End();
}

Recognition TextRecogniser::RecogniseTurned(Pix* picture, const std::function<bool()>& goOn,
                                            int& confidence) {
    m_engine->SetImage(picture);
    if (pixGetXRes(picture) < 70)
        m_engine->SetSourceResolution(static_cast<int>(kRecognitionDpi));
    tesseract::ETEXT_DESC monitor;
    monitor.cancel = Cancel;
    monitor.cancel_this = const_cast<std::function<bool()>*>(&goOn);
    if (m_engine->Recognize(&monitor) != 0 || (goOn && !goOn()))
        return {true, {}};
    const std::unique_ptr<char[]> text(m_engine->GetUTF8Text());
    confidence = m_engine->MeanTextConf();
    return {false, text ? std::string(text.get()) : std::string()};
}

Recognition TextRecogniser::Recognise(Pix* picture, const std::function<bool()>& goOn) {
    if (!m_ready || picture == nullptr)
        return {};
    int confidence = 0;
    Recognition best = RecogniseTurned(picture, goOn, confidence);
    if (best.stopped || confidence >= kUprightConfidence)
        return best;
    for (int quarters : {1, 3}) {
        const OwnedPix turned(pixRotateOrth(picture, quarters));
        int turnedConfidence = 0;
        Recognition attempt = RecogniseTurned(turned.get(), goOn, turnedConfidence);
        if (attempt.stopped)
            return attempt;
        if (turnedConfidence > confidence) {
            confidence = turnedConfidence;
            best = std::move(attempt);
        }
        if (confidence >= kUprightConfidence)
            break;
    }
    return best;
}

Recognition TextRecogniser::RecogniseGrey(const unsigned char* pixels, int width, int height, int stride,
                                          const std::function<bool()>& goOn) {
    const OwnedPix picture(pixCreate(width, height, 8));
    if (!picture)
        return {};
    l_uint32* data = pixGetData(picture.get());
    const int words = pixGetWpl(picture.get());
    for (int y = 0; y < height; ++y) {
        l_uint32* row = data + static_cast<std::ptrdiff_t>(y) * words;
        const unsigned char* source = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x)
            SET_DATA_BYTE(row, x, source[x]);
    }
    pixSetResolution(picture.get(), static_cast<int>(kRecognitionDpi), static_cast<int>(kRecognitionDpi));
    return Recognise(picture.get(), goOn);
}

DocumentText ReadImageText(std::string_view bytes, const ReadProgress& progress) {
    QuietLibrary();
    const auto* data = reinterpret_cast<const l_uint8*>(bytes.data());
    l_int32 format = 0, width = 0, height = 0, bitsPerSample = 0, samples = 0, colourMap = 0;
    // The header first: a picture too large to hold is refused before it is unpacked.
    if (bytes.empty() || pixReadHeaderMem(data, bytes.size(), &format, &width, &height, &bitsPerSample,
                                          &samples, &colourMap) != 0)
        return Problem(DocumentKind::Image, ReadProblem::Damaged);
    if (width <= 0 || height <= 0 ||
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) > kMostImagePixels)
        return Problem(DocumentKind::Image, ReadProblem::TooLarge,
                       std::to_string(width) + " x " + std::to_string(height) + " pixels");
    TextRecogniser recogniser;
    if (!recogniser.Ready())
        return Problem(DocumentKind::Image, ReadProblem::NoRecognition);
    if (progress && !progress(0, 1))
        return Problem(DocumentKind::Image, ReadProblem::Stopped);
    const OwnedPix picture(pixReadMem(data, bytes.size()));
    if (!picture)
        return Problem(DocumentKind::Image, ReadProblem::Damaged);
    const std::function<bool()> goOn = [&] { return !progress || progress(0, 1); };
    const Recognition recognition = recogniser.Recognise(picture.get(), goOn);
    if (recognition.stopped)
        return Problem(DocumentKind::Image, ReadProblem::Stopped);
    if (progress)
        progress(1, 1);
    DocumentText result = TextOrNoText(DocumentKind::Image, recognition.text);
    result.recognised = result.Ok();
    return result;
}
