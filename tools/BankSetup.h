#pragma once

#include "platform/DataFolder.h" // the names of the files it prepares

#include "store/OriginalsSweep.h"

#include <chrono>
#include <string>

// Prepares a data folder: the folder itself, a new bank with its six tables and three pick lists,
// the resume-number file and the clock clip. What exists already is never overwritten or changed,
// except that an existing bank gets the tables of our own it lacks (never touching the rows of
// the described tables); a file that is not a bank is left for the store to report.
struct BankSetupResult {
    bool createdFolder = false;
    bool createdDatabase = false;
    bool createdNumberFile = false;
    bool createdClip = false;
    bool addedOurTables = false;         // to a bank made before they existed
    OriginalsSweepResult sweptOriginals; // leftovers of an import or deletion a crash cut short
    bool Changed() const {
        return createdFolder || createdDatabase || createdNumberFile || createdClip || addedOurTables ||
               sweptOriginals.Removed();
    }
};

// Throws std::runtime_error with a readable reason when something cannot be created. Kept originals
// no resume names are removed once they are older than `leftoverAge`.
BankSetupResult PrepareDataFolder(const std::string& folder,
                                  std::chrono::seconds leftoverAge = kLeftoverOriginalAge);

// Creates a new bank at `path`, which must not exist yet.
void CreateBank(const std::string& path);
