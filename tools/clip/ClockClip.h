#pragma once

#include "AviWriter.h"

inline constexpr int kClockSide = 96;
inline constexpr int kClockFrames = 12;

// Frame n shows the hand at n o'clock, counted from twelve: one turn a clip.
IndexedClip DrawClockClip();
