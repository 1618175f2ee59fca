#pragma once

// Keyword search on a bank of `count` resumes; prints its table and returns the exit code.
int RunKeywordBenchmark(long count, int repetitions);
