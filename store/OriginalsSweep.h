#pragma once

#include <chrono>
#include <string>

class SqliteConnection;

// What a sweep removed.
struct OriginalsSweepResult {
    int files = 0; // kept files no row names, and temporary files left by an interrupted import
    int rows = 0;  // rows of "ResumeOriginals" whose resume is gone
    bool Removed() const { return files > 0 || rows > 0; }
};

// Leftovers of an import or a deletion that a crash cut short. The order of writes lets a crash
// leave a file no row names, never a row whose file is missing; this removes such files, and the
// rows of resumes another program deleted. Only files older than `minimumAge` are touched, so an
// import running meanwhile in another Talvanor is never raced. A bank without our table is left
// alone. Writes nothing when there is nothing to remove. Throws EngineError.
OriginalsSweepResult SweepOriginals(SqliteConnection& bank, const std::string& dataFolder,
                                    std::chrono::seconds minimumAge);

inline constexpr std::chrono::seconds kLeftoverOriginalAge{60};
