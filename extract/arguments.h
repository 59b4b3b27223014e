// The command line as UTF-8 strings, on every system.
#pragma once

#include <string>
#include <vector>

namespace extract {

// `argv` as it is on POSIX systems. On Windows the command line is read anew
// in UTF-16, so that an image name outside the ANSI code page reaches the
// tool intact.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

}  // namespace extract
