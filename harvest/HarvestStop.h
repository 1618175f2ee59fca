#pragma once

#include <atomic>

// The harvest's stop request, shared by the dialog and the worker: 0 run, 1 stop. The worker
// reads it before every page; Cancel and the worker set it; the import sets it back to 0.
extern std::atomic<int> HarvestStopFlag;
