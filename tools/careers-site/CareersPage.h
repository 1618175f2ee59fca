#pragma once

#include <string>

// What one resume page of the careers site shows.
struct CareersResume {
    std::string name;
    std::string qualification;
    std::string specialization;
    std::string experience;
    std::string location;
    std::string email;
    std::string text;
};

// A resume detail page in the site's layout: the site's frame (well over 7000 characters), the
// two-column table of label and value cells, the hidden e-mail input and the text area. Lines
// end in "\n", as the site serves them.
std::string CareersResumePage(const CareersResume& resume);
// The page the site serves for a number that has no resume.
std::string CareersNoRecordPage();
// A resume of our own for a number, so every page of the test site differs.
CareersResume SampleResume(int number);
