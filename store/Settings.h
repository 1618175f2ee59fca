#pragma once

#include <optional>
#include <string>
#include <string_view>

class SqliteConnection;

// Settings of our own, kept in the bank (the program keeps no settings file). A setting is a
// name and a text.
std::optional<std::string> ReadSetting(SqliteConnection& connection, std::string_view name);
void WriteSetting(SqliteConnection& connection, std::string_view name, std::string_view value);

// The same on the bank in the data folder, each on a connection of its own. A setting is a
// convenience: a bank that cannot be opened, or lacks our table, reads as no setting and is
// not written, and nothing is shown or thrown.
std::optional<std::string> ReadBankSetting(std::string_view name);
bool WriteBankSetting(std::string_view name, std::string_view value);

// The names in use.
inline constexpr const char* kChooserFolderSetting = "chooser.folder";
inline constexpr const char* kChooserFilterSetting = "chooser.filter";
inline constexpr const char* kBackupFolderSetting = "backup.folder";
