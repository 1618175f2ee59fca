#pragma once

// Backups of a bank of `count` resumes against a plain copy of its file, an append's longest wait
// during a backup, the checks' times and a backup's memory. Prints a table; 0 on success.
int RunBackupBenchmark(long count);
