#include "search/CandidateMail.h"

#include "entry/EntryRules.h"
#include "platform/MailLibrary.h"
#include "platform/MessageBox.h"

namespace {
void TellRefusedAddress(const std::string& address) {
    ShowMessage("This e-mail address can not be given to the mail client:\n" + address);
}

// The hand-off ends with 3 when the desktop names no program for e-mail.
constexpr int kNoMailProgram = 3;

void TellHandOffFailure(int exitCode) {
    if (exitCode < 0) {
        ShowMessage("The mail client could not be started.");
        return;
    }
    const std::string code = " (xdg-email ended with code " + std::to_string(exitCode) + ").";
    if (exitCode == kNoMailProgram)
        ShowMessage("No e-mail program is set up on this desktop. Choose one for e-mail in the desktop's "
                    "settings, under Default Applications, then press Send Mail again." +
                    code);
    else
        ShowMessage("The mail client did not take the message" + code);
}
} // namespace

void SendMailToCandidate(const std::string& gridAddress) {
    // The whole address goes on: no buffer cuts it short.
    const std::string address = TrimmedBytes(gridAddress);
    if (!IsSafeMailAddress(address)) {
        TellRefusedAddress(address);
        return;
    }
    // Loaded afresh for every message and let go on every way out.
    const auto library = MailLibrary::Load();
    if (!library) {
        ShowMessage(kMapiNotInitialized);
        return;
    }
    unsigned long session = 0;
    if (library->Logon(session) != kMailSuccess) {
        ShowMessage(kSessionNotEstablished);
        return;
    }
    ShowMessage(kSessionEstablished, MessageButtons::Ok, MessageIcon::Information);
    const int result = library->SendMail(session, address);
    if (result == kMailSuccess)
        ShowMessage(kMailSent, MessageButtons::Ok, MessageIcon::Information);
    else
        TellHandOffFailure(library->LastExitCode());
    if (session != 0)
        library->Logoff(session);
}
