#include "search/CandidateMail.h"

#include "entry/EntryRules.h"
#include "platform/MailLibrary.h"
#include "platform/MessageBox.h"

namespace {
void TellRefusedAddress(const std::string& address) {
    ShowMessage("This e-mail address can not be given to the mail client:\n" + address);
}

void TellHandOffFailure(int exitCode) {
    ShowMessage(exitCode < 0 ? std::string("The mail client could not be started.")
                             : "The mail client did not take the message (xdg-email ended with code " +
                                   std::to_string(exitCode) + ").");
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
