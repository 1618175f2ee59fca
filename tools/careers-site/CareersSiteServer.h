#pragma once

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class Server;
}

// A careers site of our own on 127.0.0.1, for tests and for watching the harvest work. It is
// reached as an HTTP proxy (http_proxy), so the page address keeps the real host name. Numbers
// below the record count get a resume page, the others the no-record page; single numbers can
// be given another answer.
class CareersSiteServer {
public:
    enum class Answer {
        ResumePage,
        NoRecord,
        Status,          // `status` with a short body
        Redirect,        // `status` (301, 302, 303 or 307; 302 otherwise) to `location`
        RedirectNowhere, // 302 without a Location header
        Trickle,         // some bytes, then a few bytes a second until the client gives up
        Stall,           // some bytes, then nothing until the client gives up
        Reset,           // some bytes, then the connection is dropped
        Huge,            // a resume page padded to `size` bytes, sent in pieces
        Binary,          // a resume page with zero bytes and other binary bytes in it
        Text,            // `body`, exactly as given
    };
    struct Behaviour {
        Answer answer = Answer::ResumePage;
        int status = 200;
        std::string location{};
        std::size_t size = 0;
        std::string body{};
        // Sent before the answer's own headers (the server orders headers by name).
        std::vector<std::pair<std::string, std::string>> headers{};
    };
    struct Request {
        std::string target;
        std::string userAgent;
        std::string accept;
    };

    CareersSiteServer();
    ~CareersSiteServer();
    CareersSiteServer(const CareersSiteServer&) = delete;
    CareersSiteServer& operator=(const CareersSiteServer&) = delete;

    // Listens on a free port of 127.0.0.1; false when it cannot.
    bool Start();
    void Stop();
    int Port() const { return m_port; }
    std::string ProxyAddress() const; // "http://127.0.0.1:<port>"

    void SetRecordCount(int count);
    void SetBehaviour(int number, Behaviour behaviour);
    // Every request from now on waits this long before it is answered (a slow site).
    void SetDelayMilliseconds(int delay);
    std::vector<Request> Requests() const;

private:
    void Route();
    Behaviour BehaviourFor(int number) const;
    bool WaitForStop(int milliseconds);

    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::condition_variable m_stopping;
    bool m_stopped = false;
    int m_recordCount = 1000000;
    int m_delay = 0;
    std::map<int, Behaviour> m_behaviours;
    std::vector<Request> m_requests;
};
