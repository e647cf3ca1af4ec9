// SignalRoute.h: turns the signals that end a program into a normal close of its windows.
#pragma once

#include <functional>

// SIGTERM, SIGHUP and SIGINT, and the end of the desktop session, run close on the
// user-interface thread, so the settings are saved as at any exit.
void RouteTerminationToClose(std::function<void()> close);
