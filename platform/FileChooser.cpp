#include "platform/FileChooser.h"

#include "platform/ModalRun.h"
#include "platform/Text.h"

#include <QDir>
#include <QFileDialog>

namespace {
OpenFileAnswerer g_openFileAnswerer;
SaveFileAnswerer g_saveFileAnswerer;
} // namespace

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

std::optional<std::string> ChooseSaveFile(QWidget* parent, const QString& filter,
                                          const QString& defaultSuffix, const QString& initialName) {
    if (g_saveFileAnswerer)
        return g_saveFileAnswerer(filter, defaultSuffix);
    QFileDialog chooser(parent, QStringLiteral("Save As"), QDir::homePath(), filter);
    chooser.setObjectName(QStringLiteral("SaveFileChooser"));
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setFileMode(QFileDialog::AnyFile);
    chooser.setDefaultSuffix(defaultSuffix);
    if (!initialName.isEmpty())
        chooser.selectFile(initialName);
    if (RunModal(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    return FromQt(chooser.selectedFiles().constFirst());
}

SaveFileAnswerer SetSaveFileAnswerer(SaveFileAnswerer answerer) {
    std::swap(g_saveFileAnswerer, answerer);
    return answerer;
}
