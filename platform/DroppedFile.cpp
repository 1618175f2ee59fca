#include "platform/DroppedFile.h"

#include "platform/Text.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

std::optional<std::string> DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls())
        return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile())
        return std::nullopt;
    const QString path = urls.constFirst().toLocalFile();
    if (QFileInfo(path).isDir())
        return std::nullopt;
    return FromQt(path);
}
