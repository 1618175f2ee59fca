// talvanor-init: prepares the data folder so the program finds its bank.
#include "platform/DataFolder.h"
#include "tools/BankSetup.h"

#include <QCoreApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc > 1) {
        std::fprintf(stderr, "usage: talvanor-init\nPrepares %s without changing anything in it.\n",
                     DataFolder().c_str());
        return 2;
    }
    try {
        const BankSetupResult result = PrepareDataFolder(DataFolder());
        if (!result.Changed()) {
            std::printf("%s is already prepared; nothing changed.\n", DataFolder().c_str());
            return 0;
        }
        if (result.createdFolder)
            std::printf("Created the folder %s\n", DataFolder().c_str());
        if (result.createdDatabase)
            std::printf("Created an empty bank %sTalvanorData.mdb\n", DataFolder().c_str());
        if (result.createdNumberFile)
            std::printf("Created %s%s\n", DataFolder().c_str(), kResumeNumberFileName);
        if (result.createdClip)
            std::printf("Created %s%s\n", DataFolder().c_str(), kClipFileName);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "talvanor-init: %s\n", error.what());
        return 1;
    }
}
