#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

// An internet failure (no connection, a reset, a stall, a bad address), with the client's own text.
class InternetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How long a round may wait before it ends with an internet error instead of hanging.
struct HarvestTimeouts {
    long connectSeconds = 30;
    // A transfer slower than one byte a second for this long has stalled.
    long stalledSeconds = 60;
    // A round (its request and any redirect) that takes longer than this in all ends as a
    // stalled one does, however steadily a site trickles.
    long roundSeconds = 120;
};

struct PageResponse {
    long status = 0;
    std::string rawHeaders;   // as received, "\r\n" after each line
    bool bodyRefused = false; // the body sink said no: a file fault, not the network's
};

// The body of a 200 answer, as it arrives; return false to stop the transfer.
using BodySink = std::function<bool(std::string_view bytes)>;

// One round's HTTP client: a GET with the program's headers, no automatic redirect, the system's
// proxy settings. Only http and https are spoken. Its requests together may take the round's
// time and no more. Not thread-safe: one round, one thread.
class PageRequest {
public:
    explicit PageRequest(const HarvestTimeouts& timeouts);
    ~PageRequest();
    PageRequest(const PageRequest&) = delete;
    PageRequest& operator=(const PageRequest&) = delete;

    // Throws InternetError. The body goes to `sink` only when the status is 200.
    PageResponse Get(const std::string& address, const BodySink& sink);

private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    std::chrono::steady_clock::time_point m_roundEnd;
};

// The address a redirect's "Location: " header names, resolved against `base`; empty when the
// headers name none.
std::string RedirectTarget(const std::string& rawHeaders, const std::string& base);

inline constexpr const char* kSessionAgent = "TALVANOR";
inline constexpr const char* kExtraRequestHeaders = "Accept: text/*\r\nUser-Agent: Talvanor\r\n";
