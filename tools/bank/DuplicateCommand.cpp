#include "platform/DataFolder.h"
#include "platform/EngineError.h"
#include "store/DuplicateGroups.h"
#include "store/OurTables.h"
#include "store/QueryTexts.h"
#include "store/Sqlite.h"
#include "tools/bank/BankCommands.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

int RunDuplicates(const std::vector<std::string>&) {
    const std::string path = DataFolder() + kDatabaseFileName;
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        std::fprintf(stderr, "talvanor-bank: there is no bank at %s\n", path.c_str());
        return 1;
    }
    try {
        SqliteConnection bank;
        bank.Open(path);
        // A bank the program has not opened since it was made by an older one lacks the keys' tables.
        AddOurTables(bank);
        PrintDuplicates(bank, std::cout);
        std::cout.flush();
        return 0;
    } catch (const EngineError& failure) {
        std::fprintf(stderr, "talvanor-bank: the bank cannot be read: %s\n", failure.what());
        return 1;
    }
}
