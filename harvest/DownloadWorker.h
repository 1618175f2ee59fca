#pragma once

#include "harvest/PageRequest.h"

#include <functional>
#include <string>
#include <thread>

// Fetches resume pages one number after another into the working folder, starting at the
// number in the resume-number file, until HarvestStopFlag is set or a failure stops it; then
// calls `done` (from its own thread). It never touches the store or a widget; its messages go
// through ShowMessage, which shows them on the UI thread.
class DownloadWorker {
public:
    DownloadWorker(HarvestTimeouts timeouts, std::function<void()> done);
    ~DownloadWorker(); // waits for the thread
    DownloadWorker(const DownloadWorker&) = delete;
    DownloadWorker& operator=(const DownloadWorker&) = delete;

    void Start();

private:
    void Run();
    HarvestTimeouts m_timeouts;
    std::function<void()> m_done;
    std::thread m_thread;
};

std::string WorkingFolder();           // DataFolder() + "temphunter/"
std::string SavedPagePath(int number); // WorkingFolder() + number + ".txt"

// A page over kLargestPage ends the harvest; what arrived of it is removed.
std::string PageTooLargeMessage(int number);

inline constexpr const char* kInsertHttpUrl = "Please Insert URL with http://..";
inline constexpr const char* kUnableToEstablishSession =
    "Unable to establish internet session. Please try later";
// Rounds of one number that may fail (a redirect that leads nowhere, a file fault) before the
// harvest stops instead of asking again without end.
inline constexpr int kMostTriesOfOneNumber = 3;
