#pragma once

#include <string>
#include <vector>

// Test banks: a fresh data folder per call, holding a new database exactly as talvanor-init
// makes it (six tables, default pick lists), and plain SQL read-back for assertions.
void FreshBank();
std::string BankPath(); // DataFolder() + "TalvanorData.mdb"

using Rows = std::vector<std::vector<std::string>>;
Rows QueryRows(const std::string& sql); // every column as text, NULL as ""
void ExecuteSql(const std::string& sql);
