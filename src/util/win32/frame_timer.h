#pragma once

#include "util/frame_timer_state.h"

// The program's single time source: the performance counter when the machine has one,
// timeGetTime otherwise. Returns seconds (or 0.0 for the commands that only change the
// state, -1.0 for an unknown command).
double FrameTimer(int32_t command);
