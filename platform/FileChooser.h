#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <string>

class QWidget;

// The open-file chooser. Returns the chosen path as 8-bit text, or nothing when cancelled.
std::optional<std::string> ChooseOpenFile(QWidget* parent, const QString& filter);

// Tests script the chooser: the answerer receives the filter and returns the next choice.
using OpenFileAnswerer = std::function<std::optional<std::string>(const QString& filter)>;
OpenFileAnswerer SetOpenFileAnswerer(OpenFileAnswerer answerer);
