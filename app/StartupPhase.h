// StartupPhase.h: the steps of the start on the way to the first window, told to tools/bench.
#pragma once

// Tells when a step of the start ended, on the monotonic clock, under the logging category
// "zellipo.startup" (off unless QT_LOGGING_RULES turns it on). Safe on any thread.
void StartupPhaseDone(const char* phase);
