#include "app/LinkOpening.h"

#include "platform/ShellOpen.h"

#include <map>

namespace {

constexpr int kLastErrorCode = 32;

const std::map<int, std::string>& CodeMessages() {
    static const std::map<int, std::string> messages = {
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
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
             "processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
    };
    return messages;
}

} // namespace

int OpenAddress(const std::string& url) {
    const int opened = ShellOpenDocument(url);
    if (opened > kLastErrorCode)
        return opened;
    const auto command = RegisteredWebPageCommand();
    if (!command)
        return opened;
    return StartProgram(CutAtPlaceholder(*command) + " " + url);
}

std::string CutAtPlaceholder(const std::string& commandLine) {
    auto cut = commandLine.find("\"%1\"");
    if (cut == std::string::npos)
        cut = commandLine.find("%1");
    return commandLine.substr(0, cut);
}

std::string LinkErrorText(int resultCode) {
    const auto found = CodeMessages().find(resultCode);
    const std::string reason = found != CodeMessages().end()
                                   ? found->second
                                   : "Unknown Error (" + std::to_string(resultCode) + ") occurred.";
    return "Can't open link:\n\n" + reason;
}
