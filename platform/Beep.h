#pragma once

#include <functional>

// A tone of the given pitch and length. The desktop has no tone generator, so it sounds the
// desktop's bell; tests observe the request instead.
void Beep(unsigned frequencyHz, unsigned durationMs);

// The desktop's warning sound (frequency and duration 0 for an observer).
void ExclamationBeep();

using BeepObserver = std::function<void(unsigned frequencyHz, unsigned durationMs)>;
BeepObserver SetBeepObserver(BeepObserver observer);
