#include "app/LinkOpening.h"
#include "platform/ShellOpen.h"

#include <gtest/gtest.h>

namespace {

// Records every attempt, in order, and answers from a script.
class ScriptedDesktop {
public:
    int openResult = kShellSuccess;
    std::optional<std::string> webPageCommand;
    int startResult = kShellSuccess;
    std::vector<std::string> calls;

    ScriptedDesktop() {
        m_previous = SetShellOpener({[this](const std::string& target) {
                                         calls.push_back("open " + target);
                                         return openResult;
                                     },
                                     [this] {
                                         calls.push_back("registered");
                                         return webPageCommand;
                                     },
                                     [this](const std::string& commandLine) {
                                         calls.push_back("start " + commandLine);
                                         return startResult;
                                     }});
    }
    ~ScriptedDesktop() { SetShellOpener(m_previous); }

private:
    ShellOpener m_previous;
};

constexpr const char* kUrl = "http://www.example.com/talvanor/";

} // namespace

TEST(OpenAddress, DesktopOpenerFirstThenTheRegisteredCommandLine) {
    struct Case {
        const char* name;
        int openResult;
        std::optional<std::string> command;
        int startResult;
        int expected;
        std::vector<std::string> calls;
    };
    const std::string url = kUrl;
    const std::vector<Case> cases = {
        {"opener works", kShellSuccess, "browser %1", kShellSuccess, kShellSuccess, {"open " + url}},
        {"no registration: opener's result stands",
         31,
         std::nullopt,
         kShellSuccess,
         31,
         {"open " + url, "registered"}},
        {"fallback starts the browser",
         31,
         "browser \"%1\"",
         kShellSuccess,
         kShellSuccess,
         {"open " + url, "registered", "start browser  " + url}},
        {"fallback's failure is the result",
         2,
         "browser %1",
         3,
         3,
         {"open " + url, "registered", "start browser  " + url}},
        {"no placeholder: address after one blank",
         27,
         "browser --new-window",
         kShellSuccess,
         kShellSuccess,
         {"open " + url, "registered", "start browser --new-window " + url}},
        {"32 is still a failure",
         32,
         "browser %1",
         kShellSuccess,
         kShellSuccess,
         {"open " + url, "registered", "start browser  " + url}},
        {"33 is a success", 33, "browser %1", kShellSuccess, 33, {"open " + url}},
    };
    for (const Case& c : cases) {
        ScriptedDesktop desktop;
        desktop.openResult = c.openResult;
        desktop.webPageCommand = c.command;
        desktop.startResult = c.startResult;
        EXPECT_EQ(OpenAddress(url), c.expected) << c.name;
        EXPECT_EQ(desktop.calls, c.calls) << c.name;
    }
}

TEST(CutAtPlaceholder, QuotedPlaceholderFirstThenBareThenWholeLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"browser \"%1\"", "browser "},
        {"browser -url \"%1\" -new", "browser -url "},
        {"browser %1", "browser "},
        {"browser %1 \"%1\"", "browser %1 "}, // the quoted one wins though later
        {"\"/opt/my browser/run\" %1", "\"/opt/my browser/run\" "},
        {"browser -nohome", "browser -nohome"},
        {"browser %2", "browser %2"},
        {"", ""},
    };
    for (const auto& [line, cut] : cases)
        EXPECT_EQ(CutAtPlaceholder(line), cut) << line;
}

TEST(LinkErrorText, EachResultCodeHasItsMessage) {
    const std::pair<int, const char*> cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30,
         "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {1, "Unknown Error (1) occurred."},
        {4, "Unknown Error (4) occurred."},
        {-7, "Unknown Error (-7) occurred."},
    };
    for (const auto& [code, message] : cases)
        EXPECT_EQ(LinkErrorText(code), std::string("Can't open link:\n\n") + message) << code;
}
