// d88ls: lists the disks and tracks of a D88 image, and what d88cut would cut
// from it, without writing anything.
#include <cstdio>
#include <cstdlib>

#include "cli/messages.h"
#include "d88/d88_image.h"
#include "list/cut_verdicts.h"
#include "list/disk_listing.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  platform::UseBinaryStandardStreams();
  const auto args = platform::Utf8Arguments(argc, argv);
  if (args.size() != 2) {
    cli::PrintUsage(args.empty() ? nullptr : args[0].c_str(), "d88ls");
    return EXIT_FAILURE;
  }
  d88::D88Image image;
  if (!image.Open(args[1].c_str())) {
    cli::PrintOpenError();
    return EXIT_FAILURE;
  }
  const list::LineSink out = [](const std::string& line) { std::fputs(line.c_str(), stdout); };
  list::ListDisks(image, out);
  list::JudgeCuts(image, out);
  // The listing is the whole job: one that could not be written all fails.
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fputs("cannot write the listing\n", stderr);
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}
