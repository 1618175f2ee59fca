#include "platform/FileChooser.h"

#include "platform/ModalRun.h"
#include "platform/Text.h"

#include <QFileDialog>

namespace {
OpenFileAnswerer g_openFileAnswerer;
}

std::optional<std::string> ChooseOpenFile(QWidget* parent, const QString& filter,
                                          const QString& defaultSuffix, const QString& initialName,
                                          const QString& folder, QString* selectedFilter) {
    if (g_openFileAnswerer)
        return g_openFileAnswerer(filter);
    QFileDialog chooser(parent, QStringLiteral("Open"), folder, filter);
    chooser.setObjectName(QStringLiteral("OpenFileChooser"));
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setDefaultSuffix(defaultSuffix);
    if (selectedFilter != nullptr && !selectedFilter->isEmpty())
        chooser.selectNameFilter(*selectedFilter);
    if (!initialName.isEmpty())
        chooser.selectFile(initialName);
    if (RunModal(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    if (selectedFilter != nullptr)
        *selectedFilter = chooser.selectedNameFilter();
    return FromQt(chooser.selectedFiles().constFirst());
}

OpenFileAnswerer SetOpenFileAnswerer(OpenFileAnswerer answerer) {
    std::swap(g_openFileAnswerer, answerer);
    return answerer;
}
