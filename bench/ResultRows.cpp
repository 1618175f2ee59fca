#include "bench/ResultRows.h"

#include "store/ResumeStore.h"
#include "store/Sqlite.h"

#include <cstdio>

long StepQuery(const std::string& query) {
    ResumeStore store;
    store.Open();
    SqliteStatement rows = store.OpenSnapshot(query);
    long count = 0;
    std::size_t bytes = 0;
    while (rows.Step()) {
        ++count;
        for (int column : {0, 1, 2, 3, 4, 5, 7, 9, 11})
            bytes += rows.ColumnTextView(column).size();
    }
    return bytes > 0 ? count : 0;
}

void Row(const char* what, double milliseconds, const std::string& note) {
    std::printf("  %-52s %10.1f ms  %s\n", what, milliseconds, note.c_str());
}
