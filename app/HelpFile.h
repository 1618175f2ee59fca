#pragma once

#include <optional>
#include <string>
#include <vector>

// The user guide stands in for the help file: HTML pages in a folder named guide, beside the
// program in the build tree (app/guide) or in the installed share folder
// (bin/../share/talvanor/guide). A page is named with its section, "results.html#copy".

// The folders looked in, in order, for a program in `programFolder`.
std::vector<std::string> GuideFolderCandidates(const std::string& programFolder);

// The first of them holding the guide's start page, made absolute; nothing when none does.
std::optional<std::string> FindGuideFolder(const std::string& programFolder);

// The address of a page (with its section) in the guide folder, as a file URL.
std::string GuidePageAddress(const std::string& guideFolder, const std::string& page);

// Opens the page in the web browser: the browser registered for web pages, handed the whole
// address so it opens at the section; where none is registered or it cannot start, the
// desktop's opener. Says "Failed to launch help." where the guide cannot be found or opened.
void LaunchHelp(const std::string& page = "index.html");

// Tests put the program elsewhere, to find a guide of their own or none. Returns the folder it
// replaced; an empty one means the program's own folder.
std::string SetHelpProgramFolder(std::string programFolder);
