#include "platform/FileChooser.h"

#include "platform/Text.h"

#include <QFileDialog>

namespace {
OpenFileAnswerer g_openFileAnswerer;
}

std::optional<std::string> ChooseOpenFile(QWidget* parent, const QString& filter) {
    if (g_openFileAnswerer)
        return g_openFileAnswerer(filter);
    const QString path = QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(), filter);
    if (path.isEmpty())
        return std::nullopt;
    return FromQt(path);
}

OpenFileAnswerer SetOpenFileAnswerer(OpenFileAnswerer answerer) {
    std::swap(g_openFileAnswerer, answerer);
    return answerer;
}
