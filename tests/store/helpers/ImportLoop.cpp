// Imports resumes with their original files, and deletes earlier ones, until killed, printing each
// imported one's number once it is stored. Every fourth file repeats an earlier one's bytes, so
// kept files are shared and a deletion must keep what another resume still names. The crash test
// kills it at random moments and then inspects the bank and the kept files.
#include "platform/DataFolder.h"
#include "platform/MessageBox.h"
#include "store/QueryTexts.h"
#include "store/ResumeStore.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string Bytes(const std::string& tag) {
    std::string bytes = "%PDF-1.4 " + tag + "\n";
    while (bytes.size() < 256 * 1024) // big enough that a kill often lands mid-write
        bytes += "stream of a resume's pages ";
    return bytes;
}

bool Import(const std::string& name, const std::string& bytes) {
    ResumeStore store;
    store.record.name = name;
    store.record.resumeText = name;
    store.record.qualifications = "B.E.,";
    store.keptOriginal = KeepOriginal(DataFolder(), bytes, name + ".pdf");
    return store.Open() == 1 && store.AppendResume() == 1 && store.Close() == 1;
}

bool DeleteOne(long number) {
    std::string id;
    {
        SqliteConnection bank;
        bank.Open(DataFolder() + kDatabaseFileName);
        SqliteStatement pick(bank, "SELECT ID FROM [Abstract Information] ORDER BY ID LIMIT 1 OFFSET ?");
        pick.Bind(1, static_cast<std::int64_t>(number / 3));
        if (!pick.Step())
            return true;
        id = pick.ColumnText(0);
    }
    ResumeStore store;
    return store.Open() == 1 && store.DeleteResume(id) >= 0 && store.Close() == 1;
}

} // namespace

int main() {
    SetMessageAnswerer([](const MessageRequest& request) {
        std::fprintf(stderr, "%s\n", request.text.c_str());
        return MessageAnswer::Ok;
    });
    const std::string run = std::to_string(getpid());
    for (long number = 1;; ++number) {
        const long content = number % 4 == 0 ? number / 2 : number;
        if (!Import("Candidate " + run + "x" + std::to_string(number),
                    Bytes(run + "x" + std::to_string(content))))
            return 1;
        std::printf("%ld\n", number);
        std::fflush(stdout);
        if (number % 3 == 0 && !DeleteOne(number))
            return 1;
    }
}
