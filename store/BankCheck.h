#pragma once

#include "store/BackupFiles.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The engine's own checks of a bank file, read only: `quick_check` (the pages and their order,
// seconds on a large bank) or `integrity_check` (every index against its table as well).
enum class CheckDepth { Quick, Full };

// Asked every few thousand steps of the engine's work; false stops the check.
using CheckProgress = std::function<bool()>;

struct CheckResult {
    std::vector<std::string> problems; // the engine's words, at most the first 20; empty when whole
    bool stopped = false;
    bool Whole() const { return problems.empty() && !stopped; }
};

// A missing file, one that is not a database and one the engine finds damaged each say so.
CheckResult CheckBankFile(const std::string& path, CheckDepth depth, const CheckProgress& progress = {});

// A backup is good when its check finds nothing and it holds the resumes its name says.
CheckResult CheckBackup(const BackupEntry& backup, CheckDepth depth = CheckDepth::Quick,
                        const CheckProgress& progress = {});

// The newest backup in `folder` that is good; the damaged ones are passed over.
std::optional<BackupEntry> NewestGoodBackup(const std::string& folder);
