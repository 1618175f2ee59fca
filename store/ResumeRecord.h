#pragma once

#include <string>
#include <string_view>

// The one resume a store appends or rewrites. The six scalar texts are borrowed: the caller
// keeps them alive and unchanged until the store operation returns. The lists are owned.
struct ResumeRecord {
    std::string_view name;
    std::string_view experience;
    std::string_view email;
    std::string_view resumeText;
    std::string_view organization;
    std::string_view status;
    std::string qualifications;
    std::string specializations;
    std::string locations;
};
