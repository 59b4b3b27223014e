#include "list/messages.h"

#include <cstdio>
#include <string>

#include "platform/platform.h"

namespace list {

namespace {

constexpr std::string_view kTryHelp = "Try 'd88ls --help' for more information.\n";

// Writes `text` to standard error; a message that cannot be written is lost.
void PrintErr(const std::string& text) {
  std::error_code ignored;
  platform::WriteText(stderr, text, ignored);
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
    "Exit status: 0 if all is well (a listing: every image was listed, whatever it\n"
    "holds); 1 for --check if a file is not complete and clean, for --compare if\n"
    "the folder does not hold what d88cut leaves; 2 if an image, folder or file\n"
    "could not be opened or read, the output could not be written, or for a usage\n"
    "error.\n";

void PrintUsage(const char* program) {
  const bool named = program != nullptr && program[0] != '\0';
  PrintErr("Usage: " + (named ? platform::Shown(program) : "d88ls") + " [--] IMAGE...\n" +
           std::string(kTryHelp));
}

void PrintUsageError(std::string_view problem) {
  PrintErr("d88ls: " + std::string(problem) + "\n" + std::string(kTryHelp));
}

void PrintCannot(std::string_view what, std::string_view path, const std::error_code& reason) {
  PrintErr("d88ls: cannot " + std::string(what) + " '" + platform::Shown(path) +
           "': " + platform::Words(reason) + "\n");
}

void PrintCannotWrite(std::string_view what, const std::error_code& reason) {
  PrintErr("d88ls: cannot write the " + std::string(what) + ": " + platform::Words(reason) + "\n");
}

void PrintNoMatch(std::string_view pattern) {
  PrintErr("d88ls: no file matches '" + platform::Shown(pattern) + "'\n");
}

}  // namespace list
