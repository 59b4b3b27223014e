#include "list/folder_compare.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>

#include "platform/platform.h"

namespace list {

namespace {

constexpr std::size_t kMaxOthersNamed = 8;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

using Bytes = std::vector<std::uint8_t>;

// The file's bytes up to one past `limit`, so that a file longer than that,
// or one that grows while it is read, shows it; or why it cannot be read.
// None when there is no such file.
std::optional<Bytes> ReadUpTo(const std::string& path, std::size_t limit, std::error_code& error) {
  const auto opened = platform::OpenRegularFile(path.c_str(), error);
  if (!opened) {
    if (error == std::errc::no_such_file_or_directory) error.clear();
    return std::nullopt;
  }
  const std::unique_ptr<std::FILE, FileCloser> file(opened->stream);
  Bytes held(limit + 1);
  errno = 0;
  held.resize(std::fread(held.data(), 1, held.size(), file.get()));
  if (std::ferror(file.get())) error = platform::StreamError();
  return held;
}

// "same", or where `held` first differs from `bytes`, and its size when that
// differs.
std::string Differences(const Bytes& held, std::span<const std::uint8_t> bytes) {
  const auto [mine, theirs] = std::mismatch(held.begin(), held.end(), bytes.begin(), bytes.end());
  if (mine == held.end() && theirs == bytes.end()) return "same";
  const std::string text = "differs from byte " + std::to_string(mine - held.begin() + 1);
  if (held.size() > bytes.size()) {
    return text + " (it has more than " + std::to_string(bytes.size()) + " bytes)";
  }
  if (held.size() < bytes.size()) {
    return text + " (it has " + std::to_string(held.size()) + " bytes, not " +
           std::to_string(bytes.size()) + ")";
  }
  return text;
}

}  // namespace

std::string CompareWithFolder(const std::string& folder, const CutOutcome& outcome,
                              std::span<const std::uint8_t> bytes, Match& match) {
  const std::string line = NameColumn(outcome.cut);
  std::error_code error;
  const auto held = ReadUpTo(folder + "/" + outcome.cut.name, bytes.size(), error);
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

FolderExtras Extras(const std::vector<std::string>& names) {
  const std::vector<extract::Cut> cuts = extract::CuttingOrder();
  auto cut_named = [&](std::string_view name) {
    return std::find_if(cuts.begin(), cuts.end(), [&](const extract::Cut& cut) {
      return platform::SameName(cut.name, name);
    });
  };
  FolderExtras extras;
  for (const std::string& name : names) {
    if (cut_named(name) != cuts.end()) continue;
    const auto of = cut_named(extract::TemporaryOf(name));
    if (of != cuts.end()) {
      extras.temporaries[of->name].push_back(name);
    } else {
      extras.others.push_back(name);
    }
  }
  return extras;
}

std::string CompareTemporary(const std::string& folder, const std::string& temporary,
                             const CutOutcome& outcome, std::span<const std::uint8_t> bytes,
                             Match& match) {
  const std::string line = platform::Shown(temporary) + "  ";
  std::error_code error;
  const auto held = ReadUpTo(folder + "/" + temporary, bytes.size(), error);
  if (error || !held) {
    match = Match::kUnreadable;
    return line + "cannot be read: " +
           platform::Words(error ? error
                                 : std::make_error_code(std::errc::no_such_file_or_directory));
  }
  match = Match::kNotAsCut;
  const bool whole = outcome.Written() && Differences(*held, bytes) == "same";
  return line + "left by an interrupted d88cut: " + (whole ? "it holds" : "it is not") +
         " the whole " + outcome.cut.name + " of this image";
}

std::string OnlyIn(const std::string& folder, const std::vector<std::string>& others) {
  if (others.empty()) return "";
  std::string line = "only in " + platform::Shown(folder) + ": ";
  for (std::size_t i = 0; i < std::min(others.size(), kMaxOthersNamed); ++i) {
    line += (i == 0 ? "" : ", ") + platform::Shown(others[i]);
  }
  if (others.size() > kMaxOthersNamed) {
    line += ", and " + std::to_string(others.size() - kMaxOthersNamed) + " more";
  }
  return line;
}

}  // namespace list
