#include "entry/PickListText.h"

#include "platform/Text.h"

QStringList PickListValues(const std::string& pickList) {
    QStringList values;
    const QStringList pieces = ToQt(pickList).split(u',');
    for (const QString& piece : pieces) {
        const QString value = piece.trimmed();
        if (!value.isEmpty())
            values.append(value);
    }
    return values;
}

std::string JoinPickList(const QStringList& values) {
    QStringList trimmed;
    for (const QString& value : values)
        trimmed.append(value.trimmed());
    return FromQt(trimmed.join(QStringLiteral(" ,")));
}
