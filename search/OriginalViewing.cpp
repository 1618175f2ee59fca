#include "search/OriginalViewing.h"

#include "platform/DataFolder.h"
#include "platform/EngineError.h"
#include "platform/MessageBox.h"
#include "platform/ShellOpen.h"
#include "platform/Text.h"
#include "store/OriginalFiles.h"
#include "store/QueryTexts.h"
#include "store/Sqlite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <charconv>
#include <optional>

namespace {

std::optional<std::int64_t> IdOf(const std::string& idText) {
    std::int64_t id = 0;
    const char* end = idText.data() + idText.size();
    const auto [stop, error] = std::from_chars(idText.data(), end, id);
    if (error != std::errc() || stop != end || idText.empty())
        return std::nullopt;
    return id;
}

std::optional<OriginalFile> StoredOriginal(const std::string& idText) {
    const std::optional<std::int64_t> id = IdOf(idText);
    if (!id)
        return std::nullopt;
    SqliteConnection bank;
    bank.Open(DataFolder() + kDatabaseFileName);
    return ReadOriginalRow(bank, *id);
}

// The name the file had, where it is one a folder can hold; else its content name.
QString CopyName(const OriginalFile& original) {
    const QString name = ToQt(original.fileName);
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral("..") ||
        name.contains(QLatin1Char('/')))
        return ToQt(original.sha256 + OriginalExtension(original.fileName));
    return name;
}

// A copy under the file's own name, so the viewer shows it; each content in a folder of its own.
std::optional<QString> ReadOnlyCopy(const QString& kept, const OriginalFile& original) {
    const QString folder = ToQt(ViewingFolder() + original.sha256);
    if (!QDir().mkpath(folder))
        return std::nullopt;
    const QString copy = folder + QLatin1Char('/') + CopyName(original);
    if (QFileInfo::exists(copy)) {
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(copy);
    }
    if (!QFile::copy(kept, copy))
        return std::nullopt;
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    return copy;
}

} // namespace

std::string ViewingFolder() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    return FromQt(base) + "/talvanor-originals/";
}

bool HasKeptOriginal(const std::string& idText) {
    try {
        return StoredOriginal(idText).has_value();
    } catch (const EngineError&) {
        return false;
    }
}

void OpenKeptOriginal(const std::string& idText) {
    const std::optional<OriginalFile> original = StoredOriginal(idText);
    if (!original) {
        ShowMessage("This resume was not imported from a file, or its file is no longer kept.");
        return;
    }
    const QString kept = ToQt(OriginalPath(DataFolder(), *original));
    if (!QFileInfo::exists(kept)) {
        ShowMessage("The original file of this resume is missing: " + FromQt(kept) + " is gone.",
                    MessageButtons::Ok, MessageIcon::Critical);
        return;
    }
    const std::optional<QString> copy = ReadOnlyCopy(kept, *original);
    if (!copy) {
        ShowMessage("The original file " + original->fileName + " could not be copied into " +
                        ViewingFolder() + " for viewing.",
                    MessageButtons::Ok, MessageIcon::Critical);
        return;
    }
    if (ShellOpenDocument(FromQt(*copy)) <= 32)
        ShowMessage("No program on this desktop opened " + FromQt(*copy) + ".");
}
