#pragma once

#include <string>

// The folder that holds the database, the working folder, the resume-number file and the clip:
// the user's XDG data folder followed by "talvanor/", with a trailing "/". Decided on first use
// and fixed for the life of the process.
const std::string& DataFolder();

// Files in the data folder besides the bank.
inline constexpr const char* kResumeNumberFileName = "tempresumeid.txt";
inline constexpr const char* kClipFileName = "clock.avi";
