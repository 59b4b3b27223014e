#include "list/folder_compare.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "platform/platform.h"

namespace list {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// The file's first `limit` bytes, its size, or why it cannot be read; none
// when there is no such file.
struct Held {
  std::vector<std::uint8_t> start;
  std::int64_t size = 0;
};
std::optional<Held> ReadStart(const std::string& path, std::size_t limit, std::error_code& error) {
  const auto opened = platform::OpenRegularFile(path.c_str(), error);
  if (!opened) {
    if (error == std::errc::no_such_file_or_directory) error.clear();
    return std::nullopt;
  }
  const std::unique_ptr<std::FILE, FileCloser> file(opened->stream);
  const auto kept = std::min(opened->size, static_cast<std::int64_t>(limit));
  Held held{std::vector<std::uint8_t>(static_cast<std::size_t>(kept)), opened->size};
  errno = 0;
  if (std::fread(held.start.data(), 1, held.start.size(), file.get()) != held.start.size()) {
    error = std::ferror(file.get()) ? platform::StreamError() : d88::FileShrank();
  }
  return held;
}

std::string Differences(const Held& held, std::span<const std::uint8_t> bytes) {
  const auto [mine, theirs] =
      std::mismatch(held.start.begin(), held.start.end(), bytes.begin(), bytes.end());
  if (held.size == static_cast<std::int64_t>(bytes.size()) && mine == held.start.end()) {
    return "same";
  }
  std::string text = "differs from byte " + std::to_string(mine - held.start.begin() + 1);
  if (held.size == static_cast<std::int64_t>(bytes.size())) return text;
  return text + " (it has " + std::to_string(held.size) + " bytes, not " +
         std::to_string(bytes.size()) + ")";
}

}  // namespace

std::string CompareWithFolder(const std::string& folder, const CutOutcome& outcome,
                              std::span<const std::uint8_t> bytes, Match& match) {
  const std::string line = NameColumn(outcome.cut);
  std::error_code error;
  const auto held = ReadStart(folder + "/" + outcome.cut.name, bytes.size(), error);
  if (error) {
    match = Match::kUnreadable;
    return line + "cannot be read: " + platform::Words(error);
  }
  const std::string stop = outcome.kind == CutOutcome::Kind::kStopsHere
                               ? " (d88cut stops here: " + platform::Words(outcome.error) + ")"
                               : "";
  if (!outcome.Written()) {
    match = held ? Match::kNotAsCut : Match::kAsCut;
    return line + (held ? "stale" : "not cut") + stop;
  }
  if (!held) {
    match = Match::kNotAsCut;
    return line + "missing";
  }
  const std::string differences = Differences(*held, bytes);
  match = differences == "same" ? Match::kAsCut : Match::kNotAsCut;
  return line + differences;
}

}  // namespace list
