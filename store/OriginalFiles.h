#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

class SqliteConnection;

// The file a resume was imported from, kept beside the bank and never changed: one file per
// content in `originals/` of the data folder, named by the SHA-256 of its bytes and the original's
// extension in lower case (`originals/3f/3fa9…c2.pdf`). The row of "ResumeOriginals" says which
// resume came from which content; two resumes made from the same bytes share one file.
struct OriginalFile {
    std::string sha256;   // 64 lower-case hex digits
    std::string fileName; // the name the file had when it was imported, without its folder
    std::int64_t size = 0;
};

// Why an original could not be kept, in words the user can act on (the system's reason included).
class OriginalFileError : public std::runtime_error {
public:
    explicit OriginalFileError(const std::string& reason) : std::runtime_error(reason) {}
};

// `dataFolder` ends with "/", as DataFolder() does.
std::string OriginalsFolder(const std::string& dataFolder);
std::string OriginalPath(const std::string& dataFolder, const OriginalFile& original);
// ".pdf" for "CV.PDF"; nothing for a name without one, or with one no viewer would know by it.
std::string OriginalExtension(std::string_view fileName);

// Writes `bytes` under their content name, durably, before any row may name them: a temporary file
// in `originals/`, synced, renamed into place (an existing file of that name holds the same bytes
// and is replaced by this fresh copy), its folder synced. A failure (a full disk) leaves nothing
// behind and throws OriginalFileError.
OriginalFile KeepOriginal(const std::string& dataFolder, std::string_view bytes, const std::string& fileName);

// The rows, on a connection of the caller's: written and deleted inside the resume's own
// transaction. Throw EngineError. Reading a bank without the table gives nothing.
void WriteOriginalRow(SqliteConnection& bank, std::int64_t id, const OriginalFile& original);
std::optional<OriginalFile> ReadOriginalRow(SqliteConnection& bank, std::int64_t id);
void DeleteOriginalRow(SqliteConnection& bank, std::int64_t id);
bool HasOriginalsTable(SqliteConnection& bank);
// Whether a row still names the file that holds `original`'s content.
bool OriginalIsNamed(SqliteConnection& bank, const OriginalFile& original);

// Removes the kept file of `original` unless a row names it, after the transaction that dropped its
// last row has committed. A file that cannot be removed is left for the first-start sweep.
void RemoveUnnamedOriginal(SqliteConnection& bank, const std::string& dataFolder,
                           const OriginalFile& original);
