#pragma once

#include <string_view>

// Words that tell what a piece of a resume is, all folded (lower case, no accents), in the
// languages resumes here are commonly written in. They decide what is not a name and which piece
// of an employment line is the employer.

// A job title's words: "Senior Software Engineer", "Entwickler", "Chef de projet".
bool IsJobWord(std::string_view folded);
// Words an employer's name carries: "Technologies", "Bank", "University".
bool IsOrganizationWord(std::string_view folded);
// Legal forms that end an employer's name: "Ltd", "GmbH", "AB", "S.p.A.".
bool IsLegalForm(std::string_view folded);
// Countries, regions and large cities, one word or two ("new delhi").
bool IsPlaceName(std::string_view folded);
// Words in names written in lower case: "van", "de", "bin".
bool IsNameParticle(std::string_view folded);
// Forms of address and titles before a name: "Dr.", "Prof", "Herr".
bool IsHonorific(std::string_view folded);
// Degrees and certificates after a name: "PhD", "MBA", "PMP".
bool IsCredential(std::string_view folded);
// Other words resumes are full of that are never part of a name: languages, their levels,
// months, contact and personal-detail words.
bool IsResumeWord(std::string_view folded);
