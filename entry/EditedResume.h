#pragma once

#include <string>

// One stored resume handed from the result window to the input form, and the answer whether it
// was changed. The result window fills every text and sets `editing`; the form clears `editing`
// on every way out and sets `changed` after a successful rewrite.
struct ResumeHandOver {
    std::string id; // decimal ID text, as the store takes it
    std::string name;
    std::string experience;
    std::string email;
    std::string organization;
    std::string status;
    std::string qualifications; // values joined with ","
    std::string specializations;
    std::string locations;
    std::string fullText;
    bool editing = false;
    bool changed = false;
};

extern ResumeHandOver EditedResume;
