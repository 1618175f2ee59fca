#include "tools/read/FieldsLine.h"

#include "platform/DataFolder.h"
#include "store/QueryTexts.h"
#include "tools/BankLists.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonValue Single(const std::optional<ProposedValue>& value) {
    if (!value)
        return QJsonValue::Null;
    return QString::fromStdString(value->value);
}

QJsonArray Items(const std::vector<ProposedValue>& values) {
    QJsonArray items;
    for (const ProposedValue& value : values)
        items.append(QString::fromStdString(value.value));
    return items;
}

} // namespace

std::string FieldsLine(const std::string& file, const FieldProposals& proposals) {
    const QJsonObject line{
        {QStringLiteral("file"), QString::fromStdString(file)},
        {QStringLiteral("name"), Single(proposals.name)},
        {QStringLiteral("email"), Single(proposals.email)},
        {QStringLiteral("phone"), Single(proposals.phone)},
        {QStringLiteral("organization"), Single(proposals.organization)},
        {QStringLiteral("experience_band"), Single(proposals.experienceBand)},
        {QStringLiteral("qualifications"), Items(proposals.qualifications)},
        {QStringLiteral("specializations"), Items(proposals.specializations)},
        {QStringLiteral("locations"), Items(proposals.locations)},
    };
    return QJsonDocument(line).toJson(QJsonDocument::Compact).toStdString();
}

PickLists ListsForProposals(std::string& problem) {
    PickListTexts lists = DefaultPickLists();
    if (std::optional<PickListTexts> own = BankPickLists(DataFolder() + kDatabaseFileName, problem))
        lists = std::move(*own);
    return {lists[0], lists[1], lists[2]};
}
