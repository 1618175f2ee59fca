#pragma once

class QWidget;

// The keyword index as the user meets it: built behind a progress window that can be cancelled.

// Builds the bank's keyword index afresh; true when built, false when cancelled (the bank is then
// as it was). Engine errors end the command (EngineError).
bool BuildKeywordIndexShowingProgress(QWidget* parent);

// Before a keyword search: true when the index can answer it. Otherwise says what is wrong with
// it and offers to build it; true once built.
bool MakeKeywordIndexReady(QWidget* parent);

// The program's preparation at start: adds the index to a bank that has none. Cancelling leaves
// the bank as it was; the described work goes on without the index.
void AddMissingKeywordIndex(QWidget* parent);

inline constexpr const char* kKeywordIndexMissing =
    "This bank has no keyword index yet, so keyword search cannot run. Build the index now? "
    "The other searches work without it.";
inline constexpr const char* kKeywordIndexDamagedPrefix = "The bank's keyword index is damaged (";
inline constexpr const char* kKeywordIndexOutOfStepPrefix =
    "The bank's keyword index does not match the resume texts (";
inline constexpr const char* kKeywordIndexOfferSuffix =
    "). Build it again now? The other searches work without it.";
inline constexpr const char* kBuildingKeywordIndex = "Building the keyword index: %1 of %2 resumes";
inline constexpr const char* kAddingKeywordIndex = "Adding the keyword index to the bank: %1 of %2 resumes";
