// What d88cut tells a person at a terminal besides its progress lines: each
// file it does not cut whole, and why, in d88ls's words; and, when it cuts
// nothing, why. Only where standard error is a terminal (a console on
// Windows), which is asked only once there is something to tell: into a pipe
// or a file d88cut writes the bytes it always has, and a whole cut of a good
// image costs nothing more.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "d88/d88_image.h"
#include "extract/cut_reading.h"
#include "extract/cut_words.h"

namespace extract {

class TerminalNotes {
 public:
  // For the image at `path`, which `image` has open and prepared for
  // cutting, cut by d88cut run as `program`.
  TerminalNotes(const d88::D88Image& image, std::string path, std::string program)
      : image_(image), path_(std::move(path)), program_(std::move(program)) {}

  // The line for a file just announced: one broken off, or cut from a sector
  // read with an error.
  void Cut(const CutOutcome& outcome);
  // Holds back the line for a file the image does not give, to be told
  // where its progress line would stand (before the next file's, or at a
  // stop) unless nothing is cut at all.
  void Absent(const CutOutcome& outcome);
  // Tells the lines held back, each naming an earlier file of its name that
  // stays in the folder: before a progress line, when the cut stops, and at
  // the end of a cut that announced a file.
  void TellHeld();
  // At the end of a cut that announced no file: one line that says why, and
  // which earlier files stay in the folder; then the d88ls command that
  // tells more, as the user's shell runs it in this folder.
  void NothingCut();

 private:
  bool AtTerminal();
  std::string Verdict(const CutOutcome& outcome);
  static bool InFolder(const CutOutcome& outcome);

  const d88::D88Image& image_;
  std::string path_;
  std::string program_;
  std::optional<bool> at_terminal_;
  std::vector<CutOutcome> held_;  // files not cut since the last progress line
  // The absent files' sectors are searched for in a reader of their own.
  std::unique_ptr<d88::D88Image> search_image_;
  std::optional<SectorSearch> search_;
};

}  // namespace extract
