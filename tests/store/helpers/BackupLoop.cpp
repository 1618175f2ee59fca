// Makes backups of the bank into the data folder's backups/, a few pages a step, and imports a
// resume with its original between them, until killed. It prints a byte once it has begun. The
// crash test kills it at random moments and then inspects the bank and the backup folder.
#include "platform/DataFolder.h"
#include "platform/MessageBox.h"
#include "store/BankBackup.h"
#include "store/OriginalFiles.h"
#include "store/ResumeStore.h"

#include <cstdio>
#include <string>
#include <unistd.h>

int main() {
    SetMessageAnswerer([](const MessageRequest& request) {
        std::fprintf(stderr, "%s\n", request.text.c_str());
        return MessageAnswer::Ok;
    });
    std::printf("r");
    std::fflush(stdout);
    const std::string run = std::to_string(getpid());
    BackupOptions options;
    options.pagesPerStep = 16; // a backup of many steps, so that kills land inside one
    for (long number = 1;; ++number) {
        try {
            MakeBackup(DataFolder(), DataFolder() + "backups/", options);
        } catch (const BackupError& error) {
            if (error.Problem() != BackupProblem::Busy)
                return 1;
        }
        const std::string name = "Imported " + run + "x" + std::to_string(number); // the record borrows it
        ResumeStore store;
        store.record.name = name;
        store.record.qualifications = "B.E.,";
        store.keptOriginal =
            KeepOriginal(DataFolder(), "%PDF-1.4 " + run + "x" + std::to_string(number), name + ".pdf");
        if (store.Open() != 1 || store.AppendResume() != 1 || store.Close() != 1)
            return 1;
    }
}
