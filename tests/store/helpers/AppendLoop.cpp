// Appends resumes until killed, printing each one's number once it is stored. The crash test
// kills it at random moments and then inspects the bank.
#include "platform/MessageBox.h"
#include "store/ResumeStore.h"

#include <cstdio>
#include <string>

int main() {
    SetMessageAnswerer([](const MessageRequest& request) {
        std::fprintf(stderr, "%s\n", request.text.c_str());
        return MessageAnswer::Ok;
    });
    const std::string text(64 * 1024, 'r'); // big enough that a kill often lands mid-write
    for (long number = 1;; ++number) {
        const std::string name = "Candidate " + std::to_string(number);
        ResumeStore store;
        store.record.name = name;
        store.record.resumeText = text;
        store.record.qualifications = "B.E.,M.E.,M.Tech.,";
        store.record.specializations = "ERP,VC++,";
        store.record.locations = "Pune,Delhi,";
        if (store.Open() != 1 || store.AppendResume() != 1 || store.Close() != 1)
            return 1;
        std::printf("%ld\n", number);
        std::fflush(stdout);
    }
}
