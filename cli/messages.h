// The fixed messages both tools write on standard error.
#pragma once

namespace cli {

// "Usage: <program> [d88file]\n"; a null or empty `program` (an empty
// argument vector) shows `tool_name` instead.
void PrintUsage(const char* program, const char* tool_name);

// The open error, a Japanese message in Shift_JIS bytes:
// "ファイルをオープンできません.\n".
void PrintOpenError();

}  // namespace cli
