#include "cli/messages.h"

#include <cstdio>

namespace cli {

namespace {

// "ファイルをオープンできません." and a line feed, in Shift_JIS.
constexpr char kOpenError[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x83\x49\x81\x5B\x83\x76"
    "\x83\x93\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x2E\x0A";

}  // namespace

void PrintUsage(const char* program, const char* tool_name) {
  const bool named = program != nullptr && program[0] != '\0';
  std::fprintf(stderr, "Usage: %s [d88file]\n", named ? program : tool_name);
}

void PrintOpenError() {
  std::fputs(kOpenError, stderr);
}

}  // namespace cli
