// d88cut: cuts a music driver, its voice data and twelve songs out of the
// first disk of a D88 image into DRIVER, VOICE and MUS00 to MUS11.
#include <cstdlib>
#include <string>

#include "d88/d88_image.h"
#include "extract/cut_reading.h"
#include "extract/extraction.h"
#include "extract/messages.h"
#include "platform/platform.h"
#include "words/catalogue.h"

namespace {

// The process's one reader; its destruction at exit closes the image file.
d88::D88Image image;

int OpenError() {
  extract::PrintOpenError();
  return EXIT_FAILURE;
}

// Every argument is an image's path; only one that opens no file and is
// exactly an option of the usual kind gets the help or the version.
bool AskedForHelpOrVersion(const std::string& arg) {
  return arg == "--help" || arg == "--version" || platform::IsSystemHelpOption(arg);
}

int HelpOrVersion(const std::string& arg) {
  words::Choose(extract::LanguageAt(stdout));
  std::error_code error;
  const bool written =
      arg == "--version" ? extract::PrintVersion(D88CUT_VERSION, error) : extract::PrintHelp(error);
  if (written) return EXIT_SUCCESS;
  extract::PrintMessage(
      words::Say(arg == "--version" ? words::kCannotWriteVersion : words::kCannotWriteHelp,
                 {platform::Words(error)}));
  return EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv) {
  platform::UseBinaryStandardStreams();
  // A closed standard output, a full disk or a file-size limit fails a write,
  // never the run: every file is still cut.
  platform::KeepRunningWhenWritesFail();
  // Asked only when there are words to say: a cut into a pipe asks nothing.
  words::ChooseWhenFirstSaid([] { return extract::LanguageAt(stderr); });
  const auto args = platform::Utf8Arguments(argc, argv);
  if (args.size() != 2) {
    extract::PrintUsage(args.empty() ? nullptr : args[0].c_str());
    return EXIT_FAILURE;
  }
  std::error_code error;
  if (!extract::OpenForCutting(image, args[1].c_str(), error)) {
    return AskedForHelpOrVersion(args[1]) ? HelpOrVersion(args[1]) : OpenError();
  }
  return extract::ExtractAll(image, args[1], args[0]) ? EXIT_SUCCESS : EXIT_FAILURE;
}
