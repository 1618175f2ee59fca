#include "harvest/DownloadWorker.h"

#include "harvest/CareersSite.h"
#include "harvest/HarvestStop.h"
#include "harvest/PageFile.h"
#include "harvest/ResumeIdFile.h"
#include "platform/DataFolder.h"
#include "platform/MessageBox.h"

#include <filesystem>
#include <limits>

std::atomic<int> HarvestStopFlag{0};

namespace {

enum class RoundEnd {
    Saved,    // the page is in the folder: on to the next number
    TryAgain, // nothing saved: the same number once more
    Stop      // the harvest ends
};

bool IsRedirect(long status) {
    return status == 301 || status == 302 || status == 303;
}

// One page: a request, at most one redirect, the body streamed into its file.
RoundEnd FetchPage(int number, const HarvestTimeouts& timeouts) {
    const std::string address = ResumePageAddress(number);
    if (address.rfind("http://", 0) != 0)
        ShowMessage(kInsertHttpUrl);
    PageRequest request(timeouts);
    PageFileWriter page;
    bool opened = false;
    const auto open = [&] {
        opened = true;
        return page.Open(SavedPagePath(number));
    };
    std::size_t received = 0;
    bool tooLarge = false;
    const BodySink sink = [&](std::string_view bytes) {
        received += bytes.size();
        if (received > kLargestPage) {
            tooLarge = true;
            return false;
        }
        return (opened || open()) && page.Write(bytes);
    };

    PageResponse response = request.Get(address, sink);
    if (IsRedirect(response.status)) {
        const std::string target = RedirectTarget(response.rawHeaders, address);
        if (target.empty()) {
            // A redirect to nowhere: the site cannot give this page.
            ShowMessage(kUnableToEstablishSession);
            return RoundEnd::Stop;
        }
        response = request.Get(target, sink);
        if (response.status != 200)
            return RoundEnd::TryAgain;
    } else if (response.status != 200) {
        ShowMessage(kUnableToEstablishSession);
        return RoundEnd::Stop;
    }
    if (tooLarge) {
        page.Discard();
        ShowMessage(PageTooLargeMessage(number));
        return RoundEnd::Stop;
    }
    if (!opened && !open())
        return RoundEnd::Stop; // the page file cannot be created
    if (!page.IsOpen())
        return RoundEnd::Stop;
    if (response.bodyRefused || !page.Finish())
        return RoundEnd::TryAgain; // a file fault
    return RoundEnd::Saved;
}

} // namespace

std::string PageTooLargeMessage(int number) {
    return "The page for resume number " + std::to_string(number) + " is larger than " +
           std::to_string(kLargestPage / (1024 * 1024)) + " MB, so the harvest stops here.";
}

std::string WorkingFolder() {
    return DataFolder() + "temphunter/";
}

std::string SavedPagePath(int number) {
    return WorkingFolder() + std::to_string(number) + ".txt";
}

DownloadWorker::DownloadWorker(HarvestTimeouts timeouts, std::function<void()> done)
    : m_timeouts(timeouts), m_done(std::move(done)) {}

DownloadWorker::~DownloadWorker() {
    if (m_thread.joinable())
        m_thread.join();
}

void DownloadWorker::Start() {
    m_thread = std::thread([this] { Run(); });
}

void DownloadWorker::Run() {
    std::string idText;
    ReadResumeIdFile(idText);
    int number = 0;
    if (!idText.empty())
        SyncIdText(idText, number);
    std::error_code ignored;
    std::filesystem::create_directory(WorkingFolder(), ignored);

    int failedTries = 0;
    while (HarvestStopFlag == 0) {
        // The number after the top one can be neither asked for nor kept: no page lies beyond.
        if (number == std::numeric_limits<int>::max()) {
            ShowMessage(kUnableToEstablishSession);
            HarvestStopFlag = 1;
            break;
        }
        try {
            switch (FetchPage(number, m_timeouts)) {
            case RoundEnd::Saved:
                ++number;
                failedTries = 0;
                break;
            case RoundEnd::TryAgain:
                if (++failedTries >= kMostTriesOfOneNumber) {
                    ShowMessage(kUnableToEstablishSession);
                    HarvestStopFlag = 1;
                }
                break;
            case RoundEnd::Stop:
                HarvestStopFlag = 1;
                break;
            }
        } catch (const InternetError& error) {
            ShowMessage(error.what());
            HarvestStopFlag = 1;
        }
    }
    m_done();
}
