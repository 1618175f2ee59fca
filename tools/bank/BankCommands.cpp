#include "tools/bank/BankCommands.h"

#include <cstdio>
#include <string_view>

namespace {

void PrintUsage(std::FILE* stream, const BankCommand& command) {
    std::fprintf(stream, "usage: talvanor-bank %s%s%s\n", command.name, *command.arguments ? " " : "",
                 command.arguments);
}

void PrintOverview(std::FILE* stream) {
    std::fprintf(stream, "usage: talvanor-bank COMMAND [ARGUMENTS]\n\nCommands:\n");
    for (const BankCommand& command : BankCommands())
        std::fprintf(stream, "  %-10s %s\n", command.name, command.summary);
    std::fprintf(stream, "\n'talvanor-bank COMMAND --help' says more about one.\n");
}

} // namespace

const std::vector<BankCommand>& BankCommands() {
    static const std::vector<BankCommand> commands = {
        {"backup", "[FOLDER]", "back up the bank now",
         "Backs up the bank into FOLDER, or else into the backup folder Talvanor uses, checks the\n"
         "backup and keeps the folder's older backups as Talvanor does. Safe while Talvanor runs.\n",
         0, 1, RunBackup},
        {"check", "[--quick]", "check the bank for damage",
         "Checks every page and index of the bank (with --quick, the pages only) and prints \"ok\",\n"
         "or what is wrong, one problem a line. Exit status 1 when something is wrong.\n",
         0, 1, RunCheck},
        {"list", "[FOLDER]", "list the backups, newest first",
         "Lists the backups in FOLDER, or else in Talvanor's backup folder, newest first, one a line:\n"
         "the file, the date it was made and how many resumes it holds, separated by tabs.\n",
         0, 1, RunList},
        {"restore", "FILE", "make a backup the bank again",
         "Checks the backup FILE (a path, or a name from 'list') and makes it the bank. The bank it\n"
         "replaces is kept in the data folder, named with the date, so that nothing is lost.\n"
         "Refused while Talvanor has the bank open.\n",
         1, 1, RunRestore},
        {"duplicates", "", "list the resumes that seem to be one person",
         "Prints the groups of resumes that share an e-mail, a phone number, or a name with the\n"
         "organization (else the name alone), one resume a line, tab-separated: group number, why\n"
         "(e-mail, phone, name+organization, name), ID, name, e-mail.\n",
         0, 0, RunDuplicates},
    };
    return commands;
}

int RunBankCommand(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        PrintOverview(stderr);
        return 2;
    }
    if (arguments.size() == 1 && arguments[0] == "--help") {
        PrintOverview(stdout);
        return 0;
    }
    for (const BankCommand& command : BankCommands()) {
        if (arguments[0] != command.name)
            continue;
        const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
        if (rest.size() == 1 && rest[0] == "--help") {
            PrintUsage(stdout, command);
            std::printf("%s", command.help);
            return 0;
        }
        if (static_cast<int>(rest.size()) < command.leastArguments ||
            static_cast<int>(rest.size()) > command.mostArguments) {
            PrintUsage(stderr, command);
            return 2;
        }
        return command.run(rest);
    }
    std::fprintf(stderr, "talvanor-bank: no command \"%s\"\n", arguments[0].c_str());
    PrintOverview(stderr);
    return 2;
}
