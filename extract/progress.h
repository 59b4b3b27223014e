// What d88cut says as it cuts.
#pragma once

namespace extract {

// "cutting ... <name>\n" on standard output, before the file is written.
void PrintCutting(const char* name);

// "cannot write <name>\n" on standard error, after what standard output holds.
void PrintWriteError(const char* name);

}  // namespace extract
