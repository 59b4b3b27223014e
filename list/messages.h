// What d88ls says besides its listings: its help, and its messages on
// standard error.
#pragma once

#include <string_view>
#include <system_error>

namespace list {

// "d88ls --help".
extern const std::string_view kHelp;

// "Usage: <program> [--] IMAGE...\n" and a pointer to --help; a null or empty
// `program` (an empty argument vector) shows "d88ls" instead.
void PrintUsage(const char* program);

// "d88ls: <problem>\n" and a pointer to --help: "d88ls: unknown option '-x'".
void PrintUsageError(std::string_view problem);

// "d88ls: cannot <what> '<path>': <reason>\n": "d88ls: cannot open 'x.d88':
// No such file or directory".
void PrintCannot(std::string_view what, std::string_view path, const std::error_code& reason);

// "d88ls: cannot write the <what>: <reason>\n": the listing, the help.
void PrintCannotWrite(std::string_view what, const std::error_code& reason);

// "d88ls: no file matches '<pattern>'\n".
void PrintNoMatch(std::string_view pattern);

}  // namespace list
