#pragma once

#include <cstring>

// True when the command line asks for the help text or the version ("-h",
// "--help", "-v", "--version", before any "--"). Programs with windows answer
// these with a plain core application, before the GUI platform starts, so that
// they work without a display.
inline bool asksForHelpOrVersion(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--") == 0)
            return false;
        if (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0 ||
            std::strcmp(arg, "-v") == 0 || std::strcmp(arg, "--version") == 0)
            return true;
    }
    return false;
}
