#include "tests/util/Bank.h"

#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// Starts the append loop, waits until it has stored at least one resume, lets it run on for a
// random moment and kills it without warning.
void KillAppenderAtRandom(std::mt19937& random) {
    int output[2];
    ASSERT_EQ(pipe(output), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    char program[] = APPEND_LOOP_PATH;
    char* argv[] = {program, nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, program, &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);

    char first = 0;
    ASSERT_EQ(read(output[0], &first, 1), 1) << "the appender died before storing anything";
    std::this_thread::sleep_for(
        std::chrono::microseconds(std::uniform_int_distribution<int>(0, 20000)(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(output[0]);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the appender stopped by itself";
}

TEST(Crash, KilledWriterLeavesASoundBankOfWholeResumesAndAnIndexInStep) {
    FreshBank();
    std::mt19937 random(std::random_device{}());
    for (int round = 0; round < 8; ++round)
        KillAppenderAtRandom(random);

    EXPECT_EQ(QueryRows("PRAGMA integrity_check"), (Rows{{"ok"}}));
    const long listed = std::stol(QueryRows("SELECT count(*) FROM [Abstract Information]")[0][0]);
    EXPECT_GE(listed, 8);
    // Every resume has all of its rows ...
    EXPECT_EQ(QueryRows("SELECT count(*) FROM [Abstract Information] a WHERE "
                        "(SELECT count(*) FROM Resume r WHERE r.ID=a.ID) <> 1 OR "
                        "(SELECT count(*) FROM Qualifications q WHERE q.ID=a.ID) <> 3 OR "
                        "(SELECT count(*) FROM Specializations s WHERE s.ID=a.ID) <> 2 OR "
                        "(SELECT count(*) FROM Locations l WHERE l.ID=a.ID) <> 2"),
              (Rows{{"0"}}));
    // ... and no row belongs to a resume that was never stored.
    for (const char* table : {"Resume", "Qualifications", "Specializations", "Locations"})
        EXPECT_EQ(QueryRows(std::string("SELECT count(*) FROM ") + table +
                            " WHERE ID NOT IN (SELECT ID FROM [Abstract Information])"),
                  (Rows{{"0"}}))
            << table;

    // Every stored text is found by its own first word, under its own ID ...
    const Rows texts =
        QueryRows("SELECT ID, substr(Details, 1, instr(Details, ' ') - 1) FROM Resume ORDER BY ID");
    ASSERT_EQ(static_cast<long>(texts.size()), listed);
    for (const auto& text : texts)
        EXPECT_EQ(
            QueryRows("SELECT rowid FROM ResumeKeywords WHERE ResumeKeywords MATCH '\"" + text[1] + "\"'"),
            (Rows{{text[0]}}))
            << text[1];
    // ... and the index holds nothing else: no entry without its resume, nothing left to catch up on.
    EXPECT_EQ(QueryRows("SELECT count(*) FROM ResumeKeywords_docsize"), (Rows{{std::to_string(listed)}}));
    EXPECT_EQ(
        QueryRows("SELECT count(*) FROM ResumeKeywords_docsize WHERE id NOT IN (SELECT ID FROM Resume)"),
        (Rows{{"0"}}));
    EXPECT_EQ(QueryRows("SELECT count(*) FROM ResumeKeywordsPending"), (Rows{{"0"}}));
    EXPECT_EQ(QueryRows("INSERT INTO ResumeKeywords (ResumeKeywords) VALUES ('integrity-check')"), Rows{});
}

} // namespace
