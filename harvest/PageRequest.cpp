#include "harvest/PageRequest.h"

#include <algorithm>
#include <cctype>
#include <curl/curl.h>
#include <mutex>

namespace {

struct SlistFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
struct EasyCleanup {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct UrlCleanup {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

void InitialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// What one transfer hands to the callbacks.
struct Transfer {
    CURL* easy;
    const BodySink* sink;
    std::string headers;
    bool refused = false;
};

// Headers beyond any real page's are a broken or hostile server: end the transfer.
constexpr std::size_t kLongestHeaders = 256 * 1024;

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    auto& headers = static_cast<Transfer*>(user)->headers;
    if (headers.size() + size * count > kLongestHeaders)
        return 0;
    headers.append(data, size * count);
    return size * count;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    long status = 0;
    curl_easy_getinfo(transfer->easy, CURLINFO_RESPONSE_CODE, &status);
    if (status != 200)
        return size * count; // a redirect's or an error's body is not the page
    if (!(*transfer->sink)(std::string_view(data, size * count))) {
        transfer->refused = true;
        return 0;
    }
    return size * count;
}

// The extra request headers, one list entry per line.
std::unique_ptr<curl_slist, SlistFree> ExtraHeaders() {
    curl_slist* list = nullptr;
    std::string_view rest = kExtraRequestHeaders;
    while (!rest.empty()) {
        const auto end = rest.find("\r\n");
        list = curl_slist_append(list, std::string(rest.substr(0, end)).c_str());
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
    }
    return std::unique_ptr<curl_slist, SlistFree>(list);
}

} // namespace

struct PageRequest::Handle {
    std::unique_ptr<CURL, EasyCleanup> easy;
    std::unique_ptr<curl_slist, SlistFree> headers;
    char error[CURL_ERROR_SIZE] = {};
};

PageRequest::PageRequest(const HarvestTimeouts& timeouts)
    : m_handle(std::make_unique<Handle>()),
      m_roundEnd(std::chrono::steady_clock::now() + std::chrono::seconds(timeouts.roundSeconds)) {
    InitialiseOnce();
    m_handle->easy.reset(curl_easy_init());
    if (!m_handle->easy)
        throw InternetError("The internet client could not be started.");
    m_handle->headers = ExtraHeaders();
    CURL* easy = m_handle->easy.get();
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, m_handle->error);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, kSessionAgent);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, m_handle->headers.get());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    // A redirect must never reach a local file or another protocol.
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, timeouts.connectSeconds);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, timeouts.stalledSeconds);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L); // a worker thread may not take signals
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
}

PageRequest::~PageRequest() = default;

PageResponse PageRequest::Get(const std::string& address, const BodySink& sink) {
    CURL* easy = m_handle->easy.get();
    Transfer transfer{easy, &sink, {}, false};
    curl_easy_setopt(easy, CURLOPT_URL, address.c_str());
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    // What is left of the round; at least a moment, so a late redirect ends with the client's text.
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(m_roundEnd - std::chrono::steady_clock::now());
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(std::max<long long>(left.count(), 1)));
    m_handle->error[0] = '\0';
    const CURLcode result = curl_easy_perform(easy);

    PageResponse response;
    response.rawHeaders = std::move(transfer.headers);
    response.bodyRefused = transfer.refused;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &response.status);
    if (result != CURLE_OK && !transfer.refused)
        throw InternetError(m_handle->error[0] != '\0' ? m_handle->error : curl_easy_strerror(result));
    return response;
}

namespace {

bool IsHeaderBlank(char byte) {
    return byte == ' ' || byte == '\t';
}

// The value of the first "Location" header: the name must open its line, and names ignore
// case on the wire. A header that merely holds the word (X-Relocation, Content-Location, a
// value quoting it) is not the redirect.
std::string LocationHeader(std::string_view headers) {
    constexpr std::string_view kName = "location:";
    while (!headers.empty()) {
        const auto lineEnd = headers.find('\n');
        std::string_view line = headers.substr(0, lineEnd);
        headers.remove_prefix(lineEnd == std::string_view::npos ? headers.size() : lineEnd + 1);
        if (line.size() < kName.size() ||
            !std::equal(kName.begin(), kName.end(), line.begin(), [](char name, char byte) {
                return name == std::tolower(static_cast<unsigned char>(byte));
            }))
            continue;
        line.remove_prefix(kName.size());
        while (!line.empty() && IsHeaderBlank(line.front()))
            line.remove_prefix(1);
        while (!line.empty() && (line.back() == '\r' || IsHeaderBlank(line.back())))
            line.remove_suffix(1);
        return std::string(line);
    }
    return {};
}

} // namespace

std::string RedirectTarget(const std::string& rawHeaders, const std::string& base) {
    const std::string location = LocationHeader(rawHeaders);
    if (location.empty())
        return {};

    std::unique_ptr<CURLU, UrlCleanup> url(curl_url());
    if (!url || curl_url_set(url.get(), CURLUPART_URL, base.c_str(), 0) != CURLUE_OK ||
        curl_url_set(url.get(), CURLUPART_URL, location.c_str(), 0) != CURLUE_OK)
        return {};
    char* resolved = nullptr;
    if (curl_url_get(url.get(), CURLUPART_URL, &resolved, 0) != CURLUE_OK)
        return {};
    std::string target = resolved;
    curl_free(resolved);
    return target;
}
