#include "platform/FileChooser.h"

#include "platform/ModalRun.h"
#include "platform/Text.h"

#include <QDir>
#include <QFileDialog>

namespace {
OpenFileAnswerer g_openFileAnswerer;
OpenFilesAnswerer g_openFilesAnswerer;
SaveFileAnswerer g_saveFileAnswerer;

std::vector<std::string> RunOpenChooser(QWidget* parent, QFileDialog::FileMode mode, const QString& filter,
                                        const QString& defaultSuffix, const QString& initialName,
                                        const QString& folder, QString* selectedFilter) {
    QFileDialog chooser(parent, QStringLiteral("Open"), folder, filter);
    chooser.setObjectName(QStringLiteral("OpenFileChooser"));
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setFileMode(mode);
    chooser.setDefaultSuffix(defaultSuffix);
    if (selectedFilter != nullptr && !selectedFilter->isEmpty())
        chooser.selectNameFilter(*selectedFilter);
    if (!initialName.isEmpty())
        chooser.selectFile(initialName);
    if (RunModal(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return {};
    if (selectedFilter != nullptr)
        *selectedFilter = chooser.selectedNameFilter();
    std::vector<std::string> paths;
    const QStringList chosen = chooser.selectedFiles();
    for (const QString& path : chosen)
        paths.push_back(FromQt(path));
    return paths;
}
} // namespace

std::optional<std::string> ChooseOpenFile(QWidget* parent, const QString& filter,
                                          const QString& defaultSuffix, const QString& initialName,
                                          const QString& folder, QString* selectedFilter) {
    if (g_openFileAnswerer)
        return g_openFileAnswerer(filter);
    std::vector<std::string> paths = RunOpenChooser(parent, QFileDialog::ExistingFile, filter, defaultSuffix,
                                                    initialName, folder, selectedFilter);
    if (paths.empty())
        return std::nullopt;
    return std::move(paths.front());
}

std::vector<std::string> ChooseOpenFiles(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                                         const QString& initialName, const QString& folder,
                                         QString* selectedFilter) {
    if (g_openFilesAnswerer)
        return g_openFilesAnswerer(filter);
    if (g_openFileAnswerer) {
        if (auto path = g_openFileAnswerer(filter))
            return {std::move(*path)};
        return {};
    }
    return RunOpenChooser(parent, QFileDialog::ExistingFiles, filter, defaultSuffix, initialName, folder,
                          selectedFilter);
}

OpenFilesAnswerer SetOpenFilesAnswerer(OpenFilesAnswerer answerer) {
    std::swap(g_openFilesAnswerer, answerer);
    return answerer;
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

namespace {
FolderAnswerer g_folderAnswerer;
} // namespace

std::optional<std::string> ChooseFolder(QWidget* parent, const QString& caption, const QString& folder) {
    if (g_folderAnswerer)
        return g_folderAnswerer(caption);
    QFileDialog chooser(parent, caption, folder);
    chooser.setObjectName(QStringLiteral("FolderChooser"));
    chooser.setFileMode(QFileDialog::Directory);
    chooser.setOption(QFileDialog::ShowDirsOnly);
    if (RunModal(chooser) != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return std::nullopt;
    return FromQt(chooser.selectedFiles().constFirst());
}

FolderAnswerer SetFolderAnswerer(FolderAnswerer answerer) {
    std::swap(g_folderAnswerer, answerer);
    return answerer;
}
