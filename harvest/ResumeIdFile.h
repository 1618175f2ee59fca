#pragma once

#include <string>

// The resume-number file: the next number to ask the careers site for, as decimal digits.
// The program reads it whole and rewrites it only where it exists; it never creates it.

std::string ResumeIdFilePath(); // DataFolder() + "tempresumeid.txt"
// Appends the file's content to `text`; a missing or unreadable file leaves it unchanged.
void ReadResumeIdFile(std::string& text);
// Replaces the file's whole content by `text`, if the file exists.
void WriteResumeIdFile(const std::string& text);
// A non-empty text sets the number to the integer at its start; an empty text becomes the number.
void SyncIdText(std::string& text, int& number);
