#include "list/messages.h"

#include <cstdio>
#include <string>

#include "platform/platform.h"

namespace list {

namespace {

constexpr char kTryHelp[] = "Try 'd88ls --help' for more information.\n";

// Text of `view`, for printf's "%.*s".
int Size(std::string_view view) {
  return static_cast<int>(view.size());
}

}  // namespace

const std::string_view kHelp =
    "Usage: d88ls [--] IMAGE...\n"
    "       d88ls --check [--] IMAGE...\n"
    "       d88ls --compare [--] FOLDER IMAGE\n"
    "       d88ls --help | --version\n"
    "Lists the disks and tracks of each D88 floppy-disk image, the flags their\n"
    "sectors carry, and what d88cut would cut from its first disk, with the reason\n"
    "a file would come out short or not at all. It only reads.\n"
    "\n"
    "  --check      give one line for each image instead: whether d88cut cuts\n"
    "               all fourteen files whole from sectors read without an error,\n"
    "               or which files it does not\n"
    "  --compare    tell, file by file, whether FOLDER holds what 'd88cut IMAGE'\n"
    "               leaves in a fresh folder\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n"
    "  --           take every argument after it as an image (or folder), even\n"
    "               one that starts with '-'\n"
    "\n"
    "With two images or more, each listing starts with a line that names the image.\n"
    "Exit status: 0 if all is well; 1 if an image could not be opened or read, or\n"
    "the listing could not be written (--check: if a file is not complete and\n"
    "clean; --compare: if the folder does not hold what d88cut leaves); 2 for a\n"
    "usage error (--check, --compare: also for anything that cannot be opened,\n"
    "read or written).\n";

void PrintUsage(const char* program) {
  const bool named = program != nullptr && program[0] != '\0';
  std::fprintf(stderr, "Usage: %s [--] IMAGE...\n%s", named ? program : "d88ls", kTryHelp);
}

void PrintUsageError(std::string_view problem) {
  std::fprintf(stderr, "d88ls: %.*s\n%s", Size(problem), problem.data(), kTryHelp);
}

void PrintCannot(std::string_view what, std::string_view path, const std::error_code& reason) {
  const std::string words = platform::Words(reason);
  std::fprintf(stderr, "d88ls: cannot %.*s '%.*s': %s\n", Size(what), what.data(), Size(path),
               path.data(), words.c_str());
}

void PrintCannotWrite(std::string_view what, const std::error_code& reason) {
  const std::string words = platform::Words(reason);
  std::fprintf(stderr, "d88ls: cannot write the %.*s: %s\n", Size(what), what.data(),
               words.c_str());
}

void PrintNoMatch(std::string_view pattern) {
  std::fprintf(stderr, "d88ls: no file matches '%.*s'\n", Size(pattern), pattern.data());
}

}  // namespace list
