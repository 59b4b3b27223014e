#include "list/messages.h"

#include <cstdio>
#include <string>

#include "platform/platform.h"

namespace list {

namespace {

// Writes `text` to standard error; a message that cannot be written is lost.
void PrintErr(const std::string& text) {
  std::error_code ignored;
  platform::WriteText(stderr, text, ignored);
}

}  // namespace

void PrintUsage(const char* program) {
  const bool named = program != nullptr && program[0] != '\0';
  PrintErr(words::Say(words::kListerUsage, {named ? platform::Shown(program) : "d88ls"}) + "\n" +
           words::Say(words::kTryHelp) + "\n");
}

void PrintUsageError(std::string_view problem) {
  PrintErr("d88ls: " + std::string(problem) + "\n" + words::Say(words::kTryHelp) + "\n");
}

void PrintCannot(words::Id message, std::string_view path, const std::error_code& reason) {
  PrintErr("d88ls: " + words::Say(message, {platform::Shown(path), platform::Words(reason)}) +
           "\n");
}

void PrintCannotWrite(words::Id message, const std::error_code& reason) {
  PrintErr("d88ls: " + words::Say(message, {platform::Words(reason)}) + "\n");
}

void PrintNoMatch(std::string_view pattern) {
  PrintErr("d88ls: " + words::Say(words::kNoMatch, {platform::Shown(pattern)}) + "\n");
}

}  // namespace list
