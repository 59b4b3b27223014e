// What both tools say alike.
#pragma once

namespace cli {

// "Usage: <program> [d88file]\n" on standard error; a null or empty
// `program` (an empty argument vector) shows `tool_name` instead.
void PrintUsage(const char* program, const char* tool_name);

}  // namespace cli
