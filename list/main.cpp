// d88ls: lists the disks and tracks of D88 images, and what d88cut would cut
// from each; checks a collection of images, a line each; compares a folder
// with what d88cut leaves there. It only reads.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "d88/d88_image.h"
#include "list/cut_outcomes.h"
#include "list/cut_verdicts.h"
#include "list/disk_listing.h"
#include "list/folder_compare.h"
#include "list/image_check.h"
#include "list/messages.h"
#include "platform/platform.h"
#include "words/catalogue.h"

namespace {

// Exit statuses, as ls, cmp and diff have them: a usage error, or anything
// that cannot be opened, read or written, is trouble; a check or comparison
// that finds a file not as it should be is a finding. A listing has no
// findings: it lists whatever an image holds.
constexpr int kAllWell = 0;
constexpr int kFinding = 1;
constexpr int kTrouble = 2;

enum class Mode { kList, kCheck, kCompare };

// Standard output, which keeps the reason of the first write that fails.
class Output {
 public:
  bool Put(const std::string& text) {
    if (!failure_) platform::WriteText(stdout, text, failure_);
    return !failure_;
  }
  bool Flush() {
    if (!failure_ && std::fflush(stdout) != 0) failure_ = platform::StreamError();
    return !failure_;
  }
  std::error_code Failure() const { return failure_; }

 private:
  std::error_code failure_;
};

// Prints the help or the version, `what`.
int Print(std::string_view text, words::Id cannot_write) {
  Output out;
  if (out.Put(std::string(text)) && out.Flush()) return kAllWell;
  list::PrintCannotWrite(cannot_write, out.Failure());
  return kTrouble;
}

// The images that `arguments` stand for (Windows expands wildcards here);
// each argument that stands for none is reported, and `trouble` set.
std::vector<std::string> Images(const std::vector<std::string>& arguments, bool& trouble) {
  std::vector<std::string> images;
  for (const std::string& argument : arguments) {
    std::error_code error;
    const std::vector<std::string> names = platform::ExpandWildcards(argument, error);
    if (error) list::PrintCannot(words::kCannotOpenPath, argument, error);
    if (names.empty() && !error) list::PrintNoMatch(argument);
    trouble |= names.empty();
    images.insert(images.end(), names.begin(), names.end());
  }
  return images;
}

enum class Listed { kWhole, kCannotOpen, kFailed, kCannotWrite };

// Lists one image, under `header` when it is not empty, then what d88cut
// would cut from it, even when the listing had to stop. The cuts are read
// first, as d88cut reads them: they tell a file that is no D88 image.
Listed ListImage(const std::string& path, const std::string& header, Output& out) {
  d88::D88Image image;
  std::error_code error;
  const auto cuts = list::ReadCuts(image, path, error);
  if (!cuts || !image.Open(path.c_str(), error)) {
    list::PrintCannot(words::kCannotOpenPath, path, error);
    return Listed::kCannotOpen;
  }
  // A read of the image that fails ends the listing (ListDisks).
  const bool whole =
      (header.empty() || out.Put(header)) &&
      list::ListDisks(image, *cuts, [&](const std::string& line) { return out.Put(line); });
  // Said once, for the first read that failed.
  std::error_code failure = whole ? std::error_code() : image.ReadError();
  if (failure && out.Flush()) list::PrintCannot(words::kCannotReadPath, path, failure);
  std::error_code search_failure;
  const bool judged = list::JudgeCuts(
      image, path, *cuts, [&](const std::string& line) { return out.Put(line); }, search_failure);
  if (!judged || !out.Flush()) return Listed::kCannotWrite;
  for (const std::error_code later : {search_failure, cuts->ReadFailure()}) {
    if (!failure && later) list::PrintCannot(words::kCannotReadPath, path, failure = later);
  }
  return failure ? Listed::kFailed : Listed::kWhole;
}

// Lists the images one after another; with two or more, each under its
// path and an empty line between two, as `ls` lists folders.
int ListImages(const std::vector<std::string>& images, bool trouble) {
  Output out;
  bool headed = false;
  for (const std::string& path : images) {
    std::string header;
    if (images.size() > 1) header.append(headed ? "\n" : "").append(platform::Shown(path) + ":\n");
    const Listed listed = ListImage(path, header, out);
    if (listed == Listed::kCannotWrite) {
      list::PrintCannotWrite(words::kCannotWriteListing, out.Failure());
      return kTrouble;
    }
    headed |= listed != Listed::kCannotOpen;
    trouble |= listed != Listed::kWhole;
  }
  return trouble ? kTrouble : kAllWell;
}

// One line for each image: "<path>: <verdict>".
int CheckImages(const std::vector<std::string>& images, bool trouble) {
  Output out;
  bool all_whole = true;
  d88::D88Image image;
  for (const std::string& path : images) {
    std::error_code error;
    const auto cuts = list::ReadCuts(image, path, error);
    std::string verdict;
    bool whole = false, judged = false;
    if (!cuts) {
      verdict = words::Say(words::kCheckCannotOpen, {platform::Words(error)});
    } else if (const std::error_code failure = cuts->ReadFailure()) {
      verdict = words::Say(words::kCheckCannotRead, {platform::Words(failure)});
    } else {
      verdict = list::CheckVerdict(*cuts, whole);
      judged = true;
    }
    trouble |= !judged;
    all_whole &= whole;
    if (!out.Put(platform::Shown(path) + ": " + verdict + "\n")) break;
  }
  if (!out.Flush()) {
    list::PrintCannotWrite(words::kCannotWriteVerdicts, out.Failure());
    return kTrouble;
  }
  return trouble ? kTrouble : all_whole ? kAllWell : kFinding;
}

// A line for each file: whether `folder` holds what d88cut cuts from `path`;
// then one for each temporary file a run of d88cut left there, and one that
// names what else is there. When d88cut cuts nothing from the image, a line
// that says why ("<path>: not a D88 image: ...") comes first.
int CompareFolder(const std::string& folder, const std::string& path) {
  std::error_code error;
  const list::FolderExtras extras = list::Extras(platform::FolderNames(folder.c_str(), error));
  if (error) {
    list::PrintCannot(words::kCannotOpenPath, folder, error);
    return kTrouble;
  }
  list::Match worst = list::Match::kAsCut;
  std::vector<std::string> files, temporaries;  // the temporary files' lines follow
  d88::D88Image image;
  const auto cuts = list::ReadCuts(
      image, path, error,
      [&](const list::CutOutcome& outcome, std::span<const std::uint8_t> bytes) {
        list::Match match{};
        files.push_back(list::CompareWithFolder(folder, outcome, bytes, match) + "\n");
        worst = std::max(worst, match);
        const auto left = extras.temporaries.find(outcome.cut.name);
        if (left == extras.temporaries.end()) return;
        for (const std::string& temporary : left->second) {
          temporaries.push_back(list::CompareTemporary(folder, temporary, outcome, bytes, match) +
                                "\n");
          worst = std::max(worst, match);
        }
      });
  if (!cuts) {
    list::PrintCannot(words::kCannotOpenPath, path, error);
    return kTrouble;
  }
  Output out;
  if (const auto nothing = cuts->WhyNothingIsCut()) {
    out.Put(platform::Shown(path) + ": " + nothing->words + "\n");
  }
  for (const std::string& line : files) out.Put(line);
  for (const std::string& line : temporaries) out.Put(line);
  if (const std::string others = list::OnlyIn(folder, extras.others); !others.empty()) {
    out.Put(others + "\n");
  }
  if (!out.Flush()) {
    list::PrintCannotWrite(words::kCannotWriteComparison, out.Failure());
    return kTrouble;
  }
  if (const std::error_code failure = cuts->ReadFailure()) {
    list::PrintCannot(words::kCannotReadPath, path, failure);
    return kTrouble;
  }
  return worst == list::Match::kAsCut      ? kAllWell
         : worst == list::Match::kNotAsCut ? kFinding
                                           : kTrouble;
}

int Run(Mode mode, const std::vector<std::string>& operands, const char* program) {
  if (mode == Mode::kCompare) {
    if (operands.size() != 2) {
      list::PrintUsageError(words::Say(words::kCompareTakesTwo));
      return kTrouble;
    }
    bool trouble = false;
    const std::vector<std::string> images = Images({operands[1]}, trouble);
    if (images.size() > 1) list::PrintUsageError(words::Say(words::kCompareTakesOneImage));
    return images.size() == 1 ? CompareFolder(operands[0], images[0]) : kTrouble;
  }
  if (operands.empty()) {
    list::PrintUsage(program);
    return kTrouble;
  }
  bool trouble = false;
  const std::vector<std::string> images = Images(operands, trouble);
  return mode == Mode::kList ? ListImages(images, trouble) : CheckImages(images, trouble);
}

}  // namespace

int main(int argc, char** argv) {
  platform::UseBinaryStandardStreams();
  words::Choose(platform::UserLanguage());
  const std::vector<std::string> args = platform::Utf8Arguments(argc, argv);
  std::vector<std::string> operands;
  Mode mode = Mode::kList;
  bool options_end = false;
  // Options count wherever they stand until "--"; the first that ends the
  // run (help, version, an unknown option) decides.
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool option =
        !options_end && ((arg.size() > 1 && arg[0] == '-') || platform::IsSystemHelpOption(arg));
    if (!option) {
      operands.push_back(arg);
    } else if (arg == "--") {
      options_end = true;
    } else if (arg == "--help" || arg == "-h" || platform::IsSystemHelpOption(arg)) {
      return Print(words::Say(words::kListerHelp), words::kCannotWriteHelp);
    } else if (arg == "--version") {
      return Print("d88ls " D88CUT_VERSION "\n", words::kCannotWriteVersion);
    } else if (arg == "--check" || arg == "--compare") {
      const Mode chosen = arg == "--check" ? Mode::kCheck : Mode::kCompare;
      if (mode != Mode::kList && mode != chosen) {
        list::PrintUsageError(words::Say(words::kCheckOrCompare));
        return kTrouble;
      }
      mode = chosen;
    } else {
      list::PrintUsageError(words::Say(words::kUnknownOption, {platform::Shown(arg)}));
      return kTrouble;
    }
  }
  return Run(mode, operands, args.empty() ? nullptr : args[0].c_str());
}
