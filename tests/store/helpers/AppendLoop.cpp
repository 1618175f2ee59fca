// Appends resumes, and rewrites earlier ones, until killed, printing each appended one's number
// once it is stored. The crash test kills it at random moments and then inspects the bank.
#include "platform/DataFolder.h"
#include "platform/MessageBox.h"
#include "store/QueryTexts.h"
#include "store/ResumeStore.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// Every text begins with a word of its own, so each can be looked for in the keyword index.
std::string Text(const std::string& tag) {
    std::string text = tag + " ";
    while (text.size() < 64 * 1024) // big enough that a kill often lands mid-write
        text += "resume words for the index ";
    return text;
}

bool Store(const std::string& name, const std::string& text, const std::string& rewrittenId) {
    ResumeStore store;
    store.record.name = name;
    store.record.resumeText = text;
    store.record.qualifications = "B.E.,M.E.,M.Tech.,";
    store.record.specializations = "ERP,VC++,";
    store.record.locations = "Pune,Delhi,";
    if (store.Open() != 1)
        return false;
    const int done = rewrittenId.empty() ? store.AppendResume() : store.UpdateResume(rewrittenId);
    return done == 1 && store.Close() == 1;
}

std::string SomeStoredId(long number) {
    SqliteConnection bank;
    bank.Open(DataFolder() + kDatabaseFileName);
    SqliteStatement pick(bank, "SELECT ID FROM [Abstract Information] ORDER BY ID LIMIT 1 OFFSET ?");
    pick.Bind(1, static_cast<std::int64_t>(number / 2));
    return pick.Step() ? pick.ColumnText(0) : std::string();
}

} // namespace

int main() {
    SetMessageAnswerer([](const MessageRequest& request) {
        std::fprintf(stderr, "%s\n", request.text.c_str());
        return MessageAnswer::Ok;
    });
    const std::string run = std::to_string(getpid());
    for (long number = 1;; ++number) {
        const std::string name = "Candidate " + std::to_string(number);
        if (!Store(name, Text("appended" + run + "x" + std::to_string(number)), ""))
            return 1;
        std::printf("%ld\n", number);
        std::fflush(stdout);
        const std::string earlier = SomeStoredId(number);
        if (!Store(name, Text("rewritten" + run + "x" + std::to_string(number)), earlier))
            return 1;
    }
}
