// The tool's console: standard output and standard error in binary mode, so
// that every platform writes the same bytes, and the fixed messages.
#pragma once

namespace extract {

// Puts standard output and standard error in binary mode (a no-op where text
// and binary mode are the same).
void UseBinaryConsole();

// "Usage: <program> [d88file]\n" on standard error; a null or empty
// `program` (an empty argument vector) shows `tool_name` instead.
void PrintUsage(const char* program, const char* tool_name);

// The open error on standard error, a Japanese message in Shift_JIS bytes:
// "ファイルをオープンできません.\n".
void PrintOpenError();

// "cutting ... <name>\n" on standard output, before the file is written.
void PrintCutting(const char* name);

// "cannot write <name>\n" on standard error, after what standard output holds.
void PrintWriteError(const char* name);

}  // namespace extract
