// What d88cut says. Its own messages begin with "d88cut: "; the usage line,
// the open error and the progress lines are as they have always been.
#pragma once

#include <cstdio>
#include <string_view>
#include <system_error>

#include "words/language.h"

namespace extract {

// "Usage: <program> [d88file]\n" on standard error; a null or empty
// `program` (an empty argument vector) shows "d88cut" instead.
void PrintUsage(const char* program);

// On standard output, for `d88cut --help` (or /? on Windows) where no file
// of that name opens: the usage line, what the tool does, and where d88ls
// comes in. False, with the reason in `error`, when it could not be written.
bool PrintHelp(std::error_code& error);

// "d88cut <version>\n" on standard output, for `d88cut --version` where no
// file of that name opens; false as for PrintHelp.
bool PrintVersion(std::string_view version, std::error_code& error);

// The open error on standard error: "ファイルをオープンできません.\n".
// Where standard error is a terminal not set to Shift_JIS (or a Windows
// console), the words are written as text; anywhere else (a file, a pipe, a
// Shift_JIS terminal) as the message's Shift_JIS bytes, which programs that
// read it have always had.
void PrintOpenError();

// "cutting ... <name>\n" on standard output, written out before the file
// is written, wherever standard output goes.
void PrintCutting(std::string_view name);

// "d88cut: <message>\n" on standard error, after the progress line it
// follows: "d88cut: cannot write MUS00: a folder has this name".
void PrintMessage(std::string_view message);

// "d88cut: nothing cut: <why>\n" and "d88cut: to see why: <command>\n" on
// standard error, the command shown as platform::Shown shows it.
void PrintNothingCut(std::string_view why, std::string_view command);

// The language of d88cut's own words written to `stream` (standard error;
// standard output for the help): the user's where they reach a person, at a
// terminal or a console; English into a file or a pipe, which read what they
// always have.
words::Language LanguageAt(std::FILE* stream);

}  // namespace extract
