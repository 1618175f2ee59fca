#pragma once

#include <string>

// The careers site the web harvest reads (a reserved example domain); named in the From
// Website prompt.
inline constexpr const char* kCareersSiteDomain = "careers.example.com";
inline constexpr const char* kResumePagePath = "/careers/resume/browseresume/resumedetail.asp?id=";

// "http://" + the site + the page path + the number in decimal.
std::string ResumePageAddress(int number);
