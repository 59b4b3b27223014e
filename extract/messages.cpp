#include "extract/messages.h"

#include <cstdio>
#include <string>

#include "platform/platform.h"
#include "words/catalogue.h"

namespace extract {

namespace {

// "ファイルをオープンできません." and a line feed: in UTF-8, and in Shift_JIS.
constexpr std::string_view kOpenErrorText =
    "\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE3\x82\x92\xE3\x82\xAA\xE3\x83\xBC"
    "\xE3\x83\x97\xE3\x83\xB3\xE3\x81\xA7\xE3\x81\x8D\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93.\n";
constexpr char kOpenErrorShiftJis[] =
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x83\x49\x81\x5B\x83\x76"
    "\x83\x93\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x2E\x0A";

// Writes `text` to standard output and out of its buffer.
bool PrintOut(std::string_view text, std::error_code& error) {
  if (platform::WriteText(stdout, text, error) && std::fflush(stdout) == 0) return true;
  if (!error) error = platform::StreamError();
  return false;
}

// Writes `text` to standard error; a message that cannot be written is lost.
void PrintErr(std::string_view text) {
  std::error_code ignored;
  platform::WriteText(stderr, text, ignored);
}

}  // namespace

bool PrintHelp(std::error_code& error) {
  return PrintOut(words::Say(words::kCutterHelp), error);
}

bool PrintVersion(std::string_view version, std::error_code& error) {
  return PrintOut("d88cut " + std::string(version) + "\n", error);
}

void PrintUsage(const char* program) {
  const bool named = program != nullptr && program[0] != '\0';
  PrintErr("Usage: " + (named ? platform::Shown(program) : "d88cut") + " [d88file]\n");
}

void PrintOpenError() {
  if (!platform::WriteToTerminal(stderr, kOpenErrorText)) std::fputs(kOpenErrorShiftJis, stderr);
}

void PrintCutting(std::string_view name) {
  std::error_code ignored;
  platform::WriteText(stdout, "cutting ... " + std::string(name) + "\n", ignored);
  // Into a file or a pipe too, each line goes out before its file is
  // written: `d88cut x.d88 | tee log` shows the run as it goes, and a run
  // that is interrupted has said what it cut.
  std::fflush(stdout);
}

void PrintMessage(std::string_view message) {
  PrintErr("d88cut: " + std::string(message) + "\n");
}

void PrintNothingCut(std::string_view why, std::string_view command) {
  PrintMessage(words::Say(words::kNothingCut, {why}));
  PrintMessage(words::Say(words::kToSeeWhy, {platform::Shown(command)}));
}

words::Language LanguageAt(std::FILE* stream) {
  return platform::IsTerminal(stream) ? platform::UserLanguage() : words::Language::kEnglish;
}

}  // namespace extract
