#pragma once

#include <memory>
#include <string>

// The desktop's mail hand-off (xdg-email), standing in for a mail library loaded for every
// message: load, log on, send with the client's compose window, log off. Results are 0 for
// success. To be used from the UI thread only.
class MailLibrary {
public:
    // Finds the hand-off on PATH; null when there is none.
    static std::unique_ptr<MailLibrary> Load();

    // A session needs a desktop for the compose window: none without a display.
    int Logon(unsigned long& session);
    // Opens a new message to `address` (name and address are the same text) in the mail client.
    // Input to the program waits while the client takes the message; painting goes on.
    int SendMail(unsigned long session, const std::string& address);
    void Logoff(unsigned long session);

    // The hand-off's exit code after a SendMail that failed, -1 when it could not run.
    int LastExitCode() const { return m_lastExitCode; }

private:
    explicit MailLibrary(std::string program) : m_program(std::move(program)) {}

    std::string m_program;
    unsigned long m_session = 0;
    int m_lastExitCode = 0;
};

inline constexpr int kMailSuccess = 0;
inline constexpr int kMailFailure = 2;
inline constexpr int kMailLoginFailure = 3;
inline constexpr int kMailBadRecipient = 15;
inline constexpr int kMailInvalidSession = 19;

// An address the hand-off would take as an option or as a whole mail link is never passed on.
bool IsSafeMailAddress(const std::string& address);
