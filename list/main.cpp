// d88ls: lists the disks and tracks of a D88 image, and what d88cut would cut
// from it, without writing anything.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "d88/d88_image.h"
#include "list/cut_verdicts.h"
#include "list/disk_listing.h"
#include "platform/platform.h"

namespace {

constexpr char kHelp[] =
    "Usage: d88ls [d88file]\n"
    "       d88ls --help | --version\n"
    "Lists the disks and tracks of a D88 floppy-disk image, the flags their sectors\n"
    "carry, and what d88cut would cut from its first disk, with the reason a file\n"
    "would come out short or not at all. It only reads the image.\n"
    "\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n"
    "  --           take the next argument as the image, even if it starts with '-'\n";

constexpr char kTryHelp[] = "Try 'd88ls --help' for more information.\n";

// Lists the image on standard output; false when a line could not be
// written, or was made from a read of the image that failed (the listing
// stops there, before that line).
bool List(d88::D88Image& image) {
  const list::LineSink out = [&image](const std::string& line) {
    return !image.ReadError() && std::fputs(line.c_str(), stdout) != EOF;
  };
  return list::ListDisks(image, out) && list::JudgeCuts(image, out) && std::fflush(stdout) == 0;
}

int Print(const char* text) {
  std::fputs(text, stdout);
  return std::fflush(stdout) == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}

// The most bytes one listing may fetch from the image: far more than any
// real disk needs (a 2D disk lists with 1.2 MiB), and few enough that any
// crafted image lists, or gives up, within about a second.
constexpr std::int64_t kListingBudget = std::int64_t{1} << 30;

int ListImage(const std::string& path) {
  d88::D88Image image;
  image.SetReadingBudget(kListingBudget);
  std::error_code error;
  if (!image.Open(path.c_str(), error)) {
    std::fprintf(stderr, "d88ls: cannot open '%s': %s\n", path.c_str(), error.message().c_str());
    return EXIT_FAILURE;
  }
  if (List(image)) return EXIT_SUCCESS;
  if (const std::error_code failure = image.ReadError()) {
    std::fprintf(stderr, "d88ls: cannot read '%s': %s\n", path.c_str(), failure.message().c_str());
  } else {
    std::fputs("cannot write the listing\n", stderr);
  }
  return EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv) {
  platform::UseBinaryStandardStreams();
  const std::vector<std::string> args = platform::Utf8Arguments(argc, argv);
  std::vector<std::string> given = args;
  if (!given.empty()) given.erase(given.begin());  // the program's name
  const std::string first = given.empty() ? "" : given[0];
  if (given.size() == 1 && (first == "--help" || first == "-h")) return Print(kHelp);
  if (given.size() == 1 && first == "--version") return Print("d88ls " D88CUT_VERSION "\n");
  if (given.size() == 2 && first == "--") return ListImage(given[1]);
  if (given.size() == 1 && first.size() > 1 && first[0] == '-') {
    std::fprintf(stderr, "d88ls: unknown option '%s'\n%s", first.c_str(), kTryHelp);
    return EXIT_FAILURE;
  }
  if (given.size() == 1) return ListImage(first);
  const bool named = !args.empty() && !args[0].empty();
  std::fprintf(stderr, "Usage: %s [d88file]\n%s", named ? args[0].c_str() : "d88ls", kTryHelp);
  return EXIT_FAILURE;
}
