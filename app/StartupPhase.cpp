// StartupPhase.cpp: the marks of the start, in microseconds of the monotonic clock, which the
// bench reads beside the time it started the program.
#include "app/StartupPhase.h"

#include <QLoggingCategory>

#include <chrono>

namespace {
Q_LOGGING_CATEGORY(StartupLog, "zellipo.startup", QtWarningMsg)
}

void StartupPhaseDone(const char* phase) {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    qCInfo(
        StartupLog, "%s %lld", phase,
        static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
}
