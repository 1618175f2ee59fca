#include "app/CommandTexts.h"

#include "app/CommandIds.h"

#include <map>

namespace {

const std::map<int, std::string>& PromptStrings() {
    static const std::map<int, std::string> strings = {
        {kCommandManually, "Enter Your resume into database manualy\n Manual"},
        {kCommandFromTextFile, "Add your resume into database from text file\nText"},
        {kCommandFromWebsite,
         std::string("Add resume into database from website(") + kCareersSiteDomain + ")\n Web Site"},
        {kCommandQueryForm, "Search the rsume using query form\n Search"},
        {kCommandAllRecords, "All Records\n All Records"},
        {kCommandFindDuplicates, "List the resumes that seem to be one person twice\nFind Duplicates"},
        {kCommandExit, "Quit the application\n Exit"},
        {kCommandBackUpNow, "Back up the bank now\nBack Up Now"},
        {kCommandRestoreBackup, "Make a backup the bank again\nRestore from Backup"},
        {kCommandBackupFolder, "Choose the folder the backups go to\nBackup Folder"},
        {kCommandCheckBank, "Check the bank for damage\nCheck the Bank"},
        {kCommandChangeQualification,
         "Change the list for Selecting Qualification\n Configure Qualification List"},
        {kCommandChangeSpecialization,
         "Change the list for Selecting Specialization\n Configure Specialization List"},
        {kCommandChangeLocation,
         "Change the list for Selecting Location Preferences\n Configure Location Preference List"},
        {kCommandHelpTopics, "See the Help Topics\n Help"},
        {kCommandAbout, "Display program information, version number and copyright\nAbout"},
    };
    return strings;
}

} // namespace

std::string CommandPromptString(int commandId) {
    const auto found = PromptStrings().find(commandId);
    return found == PromptStrings().end() ? std::string() : found->second;
}

std::string StatusPrompt(const std::string& promptString) {
    return promptString.substr(0, promptString.find('\n'));
}

std::string ToolTipText(const std::string& promptString) {
    const auto newline = promptString.find('\n');
    return newline == std::string::npos ? std::string() : promptString.substr(newline + 1);
}
