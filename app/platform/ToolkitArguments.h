// ToolkitArguments.h: the command line handed to the toolkit, with the desktop protocol it
// should try first.
#pragma once

#include <vector>

// The program's arguments, as given, with "-platform xcb;wayland" after the program's name when
// the player chose no platform (QT_QPA_PLATFORM unset or empty, no -platform argument) and an X
// server is named. On a Wayland desktop the X server beside it places the windows, reports the
// pause's minimize and shows the pointer hands; Wayland is the fallback where X fails. As an
// argument rather than a variable, the choice is not passed on to the programs the game starts.
class TToolkitArguments {
  public:
    TToolkitArguments(int argc, char** argv, const char* platformVariable, const char* display);
    TToolkitArguments(const TToolkitArguments&) = delete;
    TToolkitArguments& operator=(const TToolkitArguments&) = delete;

    // The toolkit keeps both and takes out the arguments it understands.
    int Count;
    char** Values() { return Arguments.data(); }

  private:
    // Ends with a null pointer, as a main's argv does.
    std::vector<char*> Arguments;
};
