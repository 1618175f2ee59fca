#include "tools/careers-site/CareersSiteServer.h"

#include "tools/careers-site/CareersPage.h"

#include <chrono>
#include <httplib.h>

namespace {
constexpr const char* kPagePattern = R"(.*/careers/resume/browseresume/resumedetail\.asp)";
constexpr int kLongestStallMs = 120000;

bool IsRedirectStatus(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307;
}
} // namespace

CareersSiteServer::CareersSiteServer() : m_server(std::make_unique<httplib::Server>()) {
    Route();
}

CareersSiteServer::~CareersSiteServer() {
    Stop();
}

bool CareersSiteServer::Start() {
    m_port = m_server->bind_to_any_port("127.0.0.1");
    if (m_port <= 0)
        return false;
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // A stop that came before the server listens would be missed and the thread never end.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!m_server->is_running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    return m_server->is_running();
}

void CareersSiteServer::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    m_stopping.notify_all();
    if (m_thread.joinable()) {
        m_server->stop();
        m_thread.join();
    }
}

std::string CareersSiteServer::ProxyAddress() const {
    return "http://127.0.0.1:" + std::to_string(m_port);
}

void CareersSiteServer::SetRecordCount(int count) {
    std::lock_guard lock(m_mutex);
    m_recordCount = count;
}

void CareersSiteServer::SetBehaviour(int number, Behaviour behaviour) {
    std::lock_guard lock(m_mutex);
    m_behaviours[number] = std::move(behaviour);
}

void CareersSiteServer::SetDelayMilliseconds(int delay) {
    std::lock_guard lock(m_mutex);
    m_delay = delay;
}

std::vector<CareersSiteServer::Request> CareersSiteServer::Requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

CareersSiteServer::Behaviour CareersSiteServer::BehaviourFor(int number) const {
    std::lock_guard lock(m_mutex);
    const auto special = m_behaviours.find(number);
    if (special != m_behaviours.end())
        return special->second;
    Behaviour plain;
    plain.answer = number < m_recordCount ? Answer::ResumePage : Answer::NoRecord;
    return plain;
}

// True when the server is stopping; never waits past the given time.
bool CareersSiteServer::WaitForStop(int milliseconds) {
    std::unique_lock lock(m_mutex);
    return m_stopping.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_stopped; });
}

void CareersSiteServer::Route() {
    m_server->Get(kPagePattern, [this](const httplib::Request& request, httplib::Response& response) {
        int delay = 0;
        {
            std::lock_guard lock(m_mutex);
            m_requests.push_back(
                {request.target, request.get_header_value("User-Agent"), request.get_header_value("Accept")});
            delay = m_delay;
        }
        if (delay > 0 && WaitForStop(delay))
            return;
        const int number = std::atoi(request.get_param_value("id").c_str());
        const Behaviour behaviour = BehaviourFor(number);
        for (const auto& [name, value] : behaviour.headers)
            response.set_header(name.c_str(), value);
        switch (behaviour.answer) {
        case Answer::ResumePage:
            response.set_content(CareersResumePage(SampleResume(number)), "text/html");
            return;
        case Answer::NoRecord:
            response.set_content(CareersNoRecordPage(), "text/html");
            return;
        case Answer::Status:
            response.status = behaviour.status;
            response.set_content("<html><body>" + std::to_string(behaviour.status) + "</body></html>\n",
                                 "text/html");
            return;
        case Answer::Redirect:
            response.status = IsRedirectStatus(behaviour.status) ? behaviour.status : 302;
            response.set_header("Location", behaviour.location);
            return;
        case Answer::RedirectNowhere:
            response.status = 302;
            return;
        case Answer::Text:
            response.set_content(behaviour.body, "text/html");
            return;
        case Answer::Binary: {
            std::string page = CareersResumePage(SampleResume(number));
            page.insert(page.size() / 2, std::string("\0\x01\xff\xfe\x7f binary\0", 13));
            response.set_content(page, "text/html");
            return;
        }
        case Answer::Huge:
        case Answer::Trickle:
        case Answer::Stall:
        case Answer::Reset: {
            const std::string page = CareersResumePage(SampleResume(number));
            response.set_chunked_content_provider(
                "text/html", [this, page, behaviour](std::size_t, httplib::DataSink& sink) {
                    sink.write(page.data(), page.size() / 2);
                    if (behaviour.answer == Answer::Reset)
                        return false;
                    if (behaviour.answer == Answer::Stall) {
                        WaitForStop(kLongestStallMs);
                        return false;
                    }
                    if (behaviour.answer == Answer::Trickle) {
                        // Fast enough never to count as stalled, too slow ever to end.
                        while (!WaitForStop(200)) {
                            if (!sink.write("<!-- -->", 8))
                                return false;
                        }
                        return false;
                    }
                    // Lines of 100 characters, sent in blocks of 64 KB.
                    std::string block;
                    while (block.size() < 65500)
                        block += std::string(99, 'x') + "\n";
                    for (std::size_t sent = page.size() / 2; sent < behaviour.size; sent += block.size()) {
                        if (!sink.write(block.data(), block.size()))
                            return false;
                    }
                    sink.write(page.data() + page.size() / 2, page.size() - page.size() / 2);
                    sink.done();
                    return true;
                });
            return;
        }
        }
    });
}
