// What d88ls says besides its listings: its help, and its messages on
// standard error.
#pragma once

#include <string_view>
#include <system_error>

#include "words/catalogue.h"

namespace list {

// "Usage: <program> [--] IMAGE...\n" and a pointer to --help; a null or empty
// `program` (an empty argument vector) shows "d88ls" instead.
void PrintUsage(const char* program);

// "d88ls: <problem>\n" and a pointer to --help: "d88ls: unknown option '-x'".
void PrintUsageError(std::string_view problem);

// "d88ls: <message>\n", the message saying `path` as %1 and the words for
// `reason` as %2: "d88ls: cannot open 'x.d88': No such file or directory".
void PrintCannot(words::Id message, std::string_view path, const std::error_code& reason);

// "d88ls: <message>\n", with the words for `reason` as %1: "d88ls: cannot
// write the listing: No space left on device".
void PrintCannotWrite(words::Id message, const std::error_code& reason);

// "d88ls: no file matches '<pattern>'\n".
void PrintNoMatch(std::string_view pattern);

}  // namespace list
