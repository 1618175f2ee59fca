#pragma once

#include <string>
#include <vector>

// talvanor-bank's subcommands. A new one is a function and one entry in the table
// (BankCommands.cpp); usage, --help and the checks of the argument count come from the entry.
struct BankCommand {
    const char* name;
    const char* arguments; // as the usage line shows them, "" for none
    const char* summary;   // one line for the overview
    const char* help;      // what --help prints below the usage line
    int leastArguments;
    int mostArguments;
    int (*run)(const std::vector<std::string>& arguments); // the exit status
};

const std::vector<BankCommand>& BankCommands();

// The program's whole command line; the exit status (0 done, 1 failed, 2 wrong command line).
int RunBankCommand(const std::vector<std::string>& arguments);

// The commands of backups and checks (BackupCommands.cpp).
int RunBackup(const std::vector<std::string>& arguments);
int RunCheck(const std::vector<std::string>& arguments);
int RunList(const std::vector<std::string>& arguments);
int RunRestore(const std::vector<std::string>& arguments);

// The groups of resumes that seem to be one person (DuplicateCommand.cpp).
int RunDuplicates(const std::vector<std::string>& arguments);
