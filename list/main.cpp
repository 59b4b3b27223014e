// d88ls: lists the disks and tracks of D88 images, and what d88cut would cut
// from each, without writing anything.
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
    "Usage: d88ls [--] IMAGE...\n"
    "       d88ls --help | --version\n"
    "Lists the disks and tracks of each D88 floppy-disk image, the flags their\n"
    "sectors carry, and what d88cut would cut from its first disk, with the reason\n"
    "a file would come out short or not at all. It only reads the images.\n"
    "\n"
    "  -h, --help   show this help and exit\n"
    "  --version    show the version and exit\n"
    "  --           take every argument after it as an image, even one that\n"
    "               starts with '-'\n"
    "\n"
    "With two images or more, each listing starts with a line that names the image.\n"
    "Exit status: 0 if every image was listed, 1 if one could not be opened or\n"
    "read (the others are still listed) or the listing could not be written.\n";

constexpr char kTryHelp[] = "Try 'd88ls --help' for more information.\n";

// The most bytes one listing may fetch from the image: far more than any
// real disk needs (a 2D disk lists with 1.2 MiB), and few enough that any
// crafted image lists, or gives up, within about a second.
constexpr std::int64_t kListingBudget = std::int64_t{1} << 30;

// Standard output, which keeps the reason of the first write that fails.
class Listing {
 public:
  bool Put(const std::string& text) {
    if (std::fputs(text.c_str(), stdout) == EOF) Fail();
    return !failure_;
  }
  bool Flush() {
    if (std::fflush(stdout) != 0) Fail();
    return !failure_;
  }
  std::error_code Failure() const { return failure_; }

 private:
  void Fail() {
    if (!failure_) failure_ = platform::StreamError();
  }
  std::error_code failure_;
};

enum class Outcome { kListed, kFailed, kCannotWrite };

// "d88ls: cannot write the listing: No space left on device".
int CannotWrite(const char* what, const Listing& listing) {
  std::fprintf(stderr, "d88ls: cannot write the %s: %s\n", what,
               listing.Failure().message().c_str());
  return EXIT_FAILURE;
}

// Lists one image, under a line that names it when `header` is not empty;
// the reason it cannot be opened or read goes to standard error.
Outcome ListImage(const std::string& path, const std::string& header, Listing& listing) {
  d88::D88Image image;
  image.SetReadingBudget(kListingBudget);
  std::error_code error;
  if (!image.Open(path.c_str(), error)) {
    std::fprintf(stderr, "d88ls: cannot open '%s': %s\n", path.c_str(), error.message().c_str());
    return Outcome::kFailed;
  }
  // A line made from a read of the image that failed is not listed: the
  // listing stops before it.
  const list::LineSink out = [&](const std::string& line) {
    return !image.ReadError() && listing.Put(line);
  };
  const bool listed = (header.empty() || listing.Put(header)) && list::ListDisks(image, out) &&
                      list::JudgeCuts(image, out) && listing.Flush();
  if (listed) return Outcome::kListed;
  if (listing.Failure()) return Outcome::kCannotWrite;
  std::fprintf(stderr, "d88ls: cannot read '%s': %s\n", path.c_str(),
               image.ReadError().message().c_str());
  return Outcome::kFailed;
}

// Lists the images one after another; with two or more, each under its
// path, as `ls` lists folders.
int ListImages(const std::vector<std::string>& paths) {
  Listing listing;
  int status = EXIT_SUCCESS;
  bool listed_one = false;
  for (const std::string& path : paths) {
    const std::string header = paths.size() < 2 ? "" : (listed_one ? "\n" : "") + path + ":\n";
    switch (ListImage(path, header, listing)) {
      case Outcome::kListed:
        listed_one = true;
        break;
      case Outcome::kFailed:
        status = EXIT_FAILURE;
        break;
      case Outcome::kCannotWrite:
        return CannotWrite("listing", listing);
    }
  }
  return status;
}

// Prints the help or the version, `what`.
int Print(const char* text, const char* what) {
  Listing listing;
  return listing.Put(text) && listing.Flush() ? EXIT_SUCCESS : CannotWrite(what, listing);
}

int UsageError(const std::vector<std::string>& args) {
  const bool named = !args.empty() && !args[0].empty();
  std::fprintf(stderr, "Usage: %s [--] IMAGE...\n%s", named ? args[0].c_str() : "d88ls", kTryHelp);
  return EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv) {
  platform::UseBinaryStandardStreams();
  const std::vector<std::string> args = platform::Utf8Arguments(argc, argv);
  std::vector<std::string> images;
  bool options_end = false;
  // Options count wherever they stand until "--"; the first one decides.
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_end || arg == "-" || arg.empty() || arg[0] != '-') {
      images.push_back(arg);
    } else if (arg == "--") {
      options_end = true;
    } else if (arg == "--help" || arg == "-h") {
      return Print(kHelp, "help");
    } else if (arg == "--version") {
      return Print("d88ls " D88CUT_VERSION "\n", "version");
    } else {
      std::fprintf(stderr, "d88ls: unknown option '%s'\n%s", arg.c_str(), kTryHelp);
      return EXIT_FAILURE;
    }
  }
  return images.empty() ? UsageError(args) : ListImages(images);
}
