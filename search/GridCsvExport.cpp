#include "search/GridCsvExport.h"

#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"
#include "platform/WaitCursor.h"
#include "search/CMSFlexGrid.h"
#include "search/FlexGridModel.h"

#include <QSaveFile>
#include <algorithm>
#include <vector>

namespace {

constexpr std::size_t kWriteBlock = 1 << 20; // bytes gathered before each write
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string Utf8(std::string_view text) {
    const QByteArray utf8 = ToQt(std::string(text)).toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

bool LooksLikeFormula(std::string_view text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

void AppendRecord(std::string& out, const std::vector<std::string_view>& fields) {
    for (std::size_t index = 0; index < fields.size(); ++index) {
        if (index > 0)
            out += ',';
        AppendCsvField(out, fields[index]);
    }
    out += "\r\n";
}

} // namespace

void AppendCsvField(std::string& record, std::string_view text) {
    std::string converted;
    if (!IsAscii(text)) {
        converted = Utf8(text);
        text = converted;
    }
    const bool formula = LooksLikeFormula(text);
    const bool quoted = formula || text.find_first_of(",\"\r\n") != std::string_view::npos;
    if (quoted)
        record += '"';
    if (formula)
        record += '\'';
    for (const char c : text) {
        if (c == '"')
            record += '"';
        record += c;
    }
    if (quoted)
        record += '"';
}

std::optional<std::string> WriteGridCsv(const CMSFlexGrid& grid, const std::string& path) {
    QSaveFile file(ToQt(path));
    // Unbuffered, as the blocks are gathered here: a short write then shows in the write itself.
    // Left to the device's buffer it would surface only in commit(), which renames the short
    // temporary file into place all the same (seen with Qt 6.4 on a full file size limit).
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FromQt(file.errorString());
    const std::vector<int> columns = grid.ShownColumns();
    std::vector<std::string> headers;
    for (const int column : columns)
        headers.push_back(grid.TextMatrix(0, column));
    std::vector<std::string_view> fields;
    for (const std::string& header : headers)
        fields.push_back(Trimmed(header));
    std::string block(kUtf8ByteOrderMark);
    AppendRecord(block, fields);

    // A short write is retried, so that a full disk gives its reason rather than a count.
    const auto flush = [&] {
        qint64 done = 0;
        while (done < static_cast<qint64>(block.size())) {
            const qint64 written = file.write(block.data() + done, static_cast<qint64>(block.size()) - done);
            if (written <= 0)
                return false;
            done += written;
        }
        block.clear();
        return true;
    };
    const FlexGridModel& model = grid.Model();
    for (int row = 0; row < model.DataRowCount(); ++row) {
        const std::string_view rowText = model.RowText(row);
        fields.clear();
        for (const int column : columns)
            fields.push_back(CellOf(rowText, column));
        AppendRecord(block, fields);
        if (block.size() >= kWriteBlock && !flush())
            return FromQt(file.errorString()); // the temporary file goes with `file`
    }
    if (!flush())
        return FromQt(file.errorString());
    if (!file.commit())
        return FromQt(file.errorString());
    return std::nullopt;
}

void ExportGridAsCsv(CMSFlexGrid& grid) {
    const auto path = ChooseSaveFile(&grid, QString::fromLatin1(kCsvFilter), QStringLiteral("csv"),
                                     QString::fromLatin1(kCsvInitialName));
    if (!path)
        return;
    std::optional<std::string> failure;
    {
        const WaitCursor waiting;
        failure = WriteGridCsv(grid, *path);
    }
    if (failure)
        ShowMessage("The rows could not be exported to " + *path + ":\n" + *failure, MessageButtons::Ok,
                    MessageIcon::Critical);
}
