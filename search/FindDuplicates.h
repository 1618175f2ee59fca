#pragma once

#include "store/DuplicateGroups.h"

#include <cstdint>
#include <string>
#include <vector>

class QWidget;

// "Find &Duplicates" in the Talvanoring menu: the result window on the bank's groups of resumes
// that seem to be one person, each group's rows together, with its number and why.
void RunFindDuplicates(QWidget* parent);

// At the start: makes the keys of resumes other programs (or an older Talvanor) wrote, behind a
// progress window when there are many. Cancelled, they are made when next needed.
void MakeMatchKeysReady(QWidget* parent);

// File View on the full text of resume `id` over `parent`, for the hint's Show: the form's own
// resume (EditedResume) is as it was afterwards.
void ShowOtherResume(QWidget* parent, std::int64_t id);

// The result window's query for `rows`: the described listing of each resume, in the rows' order,
// followed by its group's number and why.
std::string DuplicatesQueryText(const std::vector<DuplicateRow>& rows);

inline constexpr const char* kNoDuplicates = "No resumes in the bank share an e-mail, a phone or a name.";
inline constexpr const char* kMakingMatchKeys = "Preparing the check for duplicates: %1 of %2 resumes";
