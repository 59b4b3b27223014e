#include "extract/terminal_notes.h"

#include "extract/cut_words.h"
#include "extract/messages.h"
#include "platform/platform.h"
#include "words/catalogue.h"

namespace extract {

namespace {

// "; the VOICE already in this folder is not from this image", for the
// earlier files `names` ("VOICE, MUS00") of which there are `count`.
std::string StayingFiles(const std::string& names, int count) {
  if (count == 0) return "";
  return words::SayCount(words::kStayingFiles, count, {names});
}

}  // namespace

bool TerminalNotes::AtTerminal() {
  if (!at_terminal_) at_terminal_ = platform::IsTerminal(stderr);
  return *at_terminal_;
}

std::string TerminalNotes::Verdict(const CutOutcome& outcome) {
  if (!search_) {
    search_image_ = std::make_unique<d88::D88Image>();
    search_.emplace(*search_image_, path_);
  }
  return extract::Verdict(outcome, *search_);
}

// Whether the folder holds a file (or anything) under the cut's name.
bool TerminalNotes::InFolder(const CutOutcome& outcome) {
  std::error_code ignored;
  return platform::StatusOf(outcome.cut.name.c_str(), ignored).has_value();
}

void TerminalNotes::Cut(const CutOutcome& outcome) {
  if ((outcome.kind == CutOutcome::Kind::kBrokenOff || outcome.Flagged()) && AtTerminal()) {
    PrintMessage(outcome.cut.name + ": " + Verdict(outcome));
  }
}

void TerminalNotes::Absent(const CutOutcome& outcome) {
  held_.push_back(outcome);
}

void TerminalNotes::TellHeld() {
  if (!held_.empty() && AtTerminal()) {
    for (const CutOutcome& outcome : held_) {
      const std::string& name = outcome.cut.name;
      PrintMessage(name + ": " + Verdict(outcome) + StayingFiles(name, InFolder(outcome) ? 1 : 0));
    }
  }
  held_.clear();
}

void TerminalNotes::NothingCut() {
  if (!AtTerminal()) return;
  std::string names;
  int count = 0;
  for (const CutOutcome& outcome : held_) {
    if (InFolder(outcome)) {
      names = words::Listed(names, outcome.cut.name);
      ++count;
    }
  }
  // Called only when every file was absent, so there is a reason.
  if (const auto nothing = WhyNothingIsCut(ShapeOf(image_), held_)) {
    PrintNothingCut(
        nothing->words + StayingFiles(names, count),
        platform::ProgramBeside(program_, "d88ls") + " -- " + platform::ShellQuoted(path_));
  }
}

}  // namespace extract
