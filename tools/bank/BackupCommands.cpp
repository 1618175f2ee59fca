#include "platform/DataFolder.h"
#include "store/BankBackup.h"
#include "store/BankCheck.h"
#include "store/BankRestore.h"
#include "store/QueryTexts.h"
#include "store/Settings.h"
#include "tools/bank/BankCommands.h"

#include <cstdio>

namespace {

std::string ChosenFolder(const std::vector<std::string>& arguments) {
    if (!arguments.empty())
        return FolderWithSlash(arguments[0]);
    if (const std::optional<std::string> chosen = ReadBankSetting(kBackupFolderSetting);
        chosen && !chosen->empty())
        return FolderWithSlash(*chosen);
    return DefaultBackupFolder(DataFolder());
}

int Fail(const std::string& reason) {
    std::fprintf(stderr, "talvanor-bank: %s\n", reason.c_str());
    return 1;
}

} // namespace

int RunBackup(const std::vector<std::string>& arguments) {
    try {
        const BackupResult result = MakeBackup(DataFolder(), ChosenFolder(arguments));
        std::printf("%s\t%s\t%lld\n", result.backup.path.c_str(), BackupDateText(result.backup.made).c_str(),
                    static_cast<long long>(result.backup.resumes));
        return 0;
    } catch (const BackupError& error) {
        return Fail(std::string("no backup was made: ") + error.what());
    }
}

int RunCheck(const std::vector<std::string>& arguments) {
    if (!arguments.empty() && arguments[0] != "--quick") {
        std::fprintf(stderr, "usage: talvanor-bank check [--quick]\n");
        return 2;
    }
    const CheckResult result = CheckBankFile(DataFolder() + kDatabaseFileName,
                                             arguments.empty() ? CheckDepth::Full : CheckDepth::Quick);
    if (result.Whole()) {
        std::printf("ok\n");
        return 0;
    }
    for (const std::string& problem : result.problems)
        std::printf("%s\n", problem.c_str());
    return 1;
}

int RunList(const std::vector<std::string>& arguments) {
    for (const BackupEntry& backup : ListBackups(ChosenFolder(arguments)))
        std::printf("%s\t%s\t%lld\n", backup.path.c_str(), BackupDateText(backup.made).c_str(),
                    static_cast<long long>(backup.resumes));
    return 0;
}

int RunRestore(const std::vector<std::string>& arguments) {
    std::string path = arguments[0];
    if (path.find('/') == std::string::npos)
        path = ChosenFolder({}) + path; // a name as 'list' shows it
    BackupEntry backup;
    if (!BackupFromPath(path, backup))
        return Fail(path + " is no backup of a bank");
    try {
        const RestoreResult result = RestoreBackup(backup, DataFolder());
        std::printf("Restored %s (%s, %lld resumes)\n", backup.path.c_str(),
                    BackupDateText(backup.made).c_str(), static_cast<long long>(backup.resumes));
        if (!result.movedAside.empty())
            std::printf("The bank it replaced is kept as %s\n", result.movedAside.c_str());
        return 0;
    } catch (const RestoreError& error) {
        return Fail(std::string("not restored: ") + error.what());
    }
}
