// ToolkitArguments.cpp: puts the X11-first platform choice into the toolkit's arguments.
#include "app/platform/ToolkitArguments.h"

#include <cstring>

namespace {

char PlatformOption[] = "-platform";
char X11First[] = "xcb;wayland";

bool Named(const char* value) {
    return value != nullptr && value[0] != '\0';
}

// The toolkit reads its options with one dash or two.
bool ChoosesPlatform(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

TToolkitArguments::TToolkitArguments(int argc, char** argv, const char* platformVariable,
                                     const char* display)
    : Arguments(argv, argv + argc) {
    if (argc > 0 && !Named(platformVariable) && !ChoosesPlatform(argc, argv) && Named(display)) {
        Arguments.insert(Arguments.begin() + 1, {PlatformOption, X11First});
    }
    Count = static_cast<int>(Arguments.size());
    Arguments.push_back(nullptr);
}
