#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

// The open-file chooser. Returns the chosen path as 8-bit text, or nothing when cancelled.
// A typed name without an extension gets defaultSuffix (when given) if that names a file.
// initialName stands in the file-name box at first; the chooser opens in folder when given.
// `filter` may list several filters joined by ";;". selectedFilter, when given, names the filter
// chosen at first (the first one when empty) and receives the one in use when a file is chosen.
std::optional<std::string> ChooseOpenFile(QWidget* parent, const QString& filter,
                                          const QString& defaultSuffix = QString(),
                                          const QString& initialName = QString(),
                                          const QString& folder = QString(),
                                          QString* selectedFilter = nullptr);

// Tests script the chooser: the answerer receives the filter and returns the next choice.
using OpenFileAnswerer = std::function<std::optional<std::string>(const QString& filter)>;
OpenFileAnswerer SetOpenFileAnswerer(OpenFileAnswerer answerer);

// The same chooser where several files can be chosen at once (Shift and Ctrl extend the choice).
// Returns the chosen paths in the order the chooser gives them, none when cancelled.
std::vector<std::string> ChooseOpenFiles(QWidget* parent, const QString& filter,
                                         const QString& defaultSuffix = QString(),
                                         const QString& initialName = QString(),
                                         const QString& folder = QString(),
                                         QString* selectedFilter = nullptr);

// Tests script it with the paths of one choice. Without this answerer, the one of the single
// chooser answers it (its one path, or none).
using OpenFilesAnswerer = std::function<std::vector<std::string>(const QString& filter)>;
OpenFilesAnswerer SetOpenFilesAnswerer(OpenFilesAnswerer answerer);

// The save-file chooser: asks before replacing an existing file. Returns the chosen path as 8-bit
// text, or nothing when cancelled. A typed name without an extension gets defaultSuffix.
std::optional<std::string> ChooseSaveFile(QWidget* parent, const QString& filter,
                                          const QString& defaultSuffix,
                                          const QString& initialName = QString());

// Tests script it as they script the open-file chooser; the answerer also sees the default suffix.
using SaveFileAnswerer =
    std::function<std::optional<std::string>(const QString& filter, const QString& defaultSuffix)>;
SaveFileAnswerer SetSaveFileAnswerer(SaveFileAnswerer answerer);

// The folder chooser: returns the chosen folder as 8-bit text, or nothing when cancelled.
std::optional<std::string> ChooseFolder(QWidget* parent, const QString& caption, const QString& folder);
using FolderAnswerer = std::function<std::optional<std::string>(const QString& caption)>;
FolderAnswerer SetFolderAnswerer(FolderAnswerer answerer);
