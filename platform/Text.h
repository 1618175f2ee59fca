#pragma once

#include <QString>
#include <string>

// The system keeps its texts as 8-bit strings in the locale's encoding; widgets speak QString.
QString ToQt(const std::string& text);
std::string FromQt(const QString& text);
