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
using Type = platform::FileStatus::Type;

// What the folder holds under a name, as far as a comparison reads it.
struct Held {
  enum class Kind {
    kNothing,
    kFile,
    kLink,           // a link to a regular file, whose bytes `bytes` are
    kLinkToNothing,  // a link that leads nowhere
    kUnreadable,
  };
  Kind kind = Kind::kNothing;
  Bytes bytes{};      // kFile, kLink: up to one byte past the limit asked for
  std::string why{};  // kUnreadable
};

Held Unreadable(std::string why) {
  return {Held::Kind::kUnreadable, {}, std::move(why)};
}

// What a link that leads to anything but a regular file leads to.
std::string LinkTo(Type type) {
  switch (type) {
    case Type::kFolder:
      return "a link to a folder";
    case Type::kDevice:
      return "a link to a device";
    case Type::kFifo:
      return "a link to a FIFO";
    default:
      return "a link to a socket";
  }
}

// What `path` holds: the bytes of a regular file (or of the regular file a
// link leads to) up to one past `limit`, so that a file longer than that, or
// one that grows while it is read, shows it. The name is looked at before
// anything is opened, and only a regular file is opened: never a device or
// a FIFO, through a link or not.
Held Look(const std::string& path, std::size_t limit) {
  std::error_code error;
  const auto status = platform::StatusOf(path.c_str(), error);
  if (error) return Unreadable(platform::Words(error));
  if (!status) return {};
  if (status->link && status->type == Type::kNothing) return {Held::Kind::kLinkToNothing};
  if (status->type != Type::kFile) {
    if (status->link) return Unreadable(LinkTo(status->type));
    return Unreadable(platform::Words(status->type == Type::kFolder
                                          ? std::make_error_code(std::errc::is_a_directory)
                                          : platform::NotARegularFile()));
  }
  const auto opened = platform::OpenRegularFile(path.c_str(), error, status->link);
  if (!opened) return Unreadable(platform::Words(error));
  const std::unique_ptr<std::FILE, FileCloser> file(opened->stream);
  Held held{status->link ? Held::Kind::kLink : Held::Kind::kFile, Bytes(limit + 1)};
  errno = 0;
  held.bytes.resize(std::fread(held.bytes.data(), 1, held.bytes.size(), file.get()));
  if (std::ferror(file.get())) return Unreadable(platform::Words(platform::StreamError()));
  return held;
}

// Where `held` first differs from `bytes`, and its size when that differs
// ("differs from byte 3 (it has 2 bytes, not 768)"), with the size in
// `open` and `close`; empty when they are the same.
std::string Differences(const Bytes& held, std::span<const std::uint8_t> bytes,
                        const char* open = " (", const char* close = ")") {
  const auto [mine, theirs] = std::mismatch(held.begin(), held.end(), bytes.begin(), bytes.end());
  if (mine == held.end() && theirs == bytes.end()) return "";
  const std::string text = "differs from byte " + std::to_string(mine - held.begin() + 1);
  const std::string size = std::to_string(bytes.size());
  if (held.size() > bytes.size())
    return text + open + "it has more than " + size + " bytes" + close;
  if (held.size() < bytes.size()) {
    return text + open + "it has " + std::to_string(held.size()) + " bytes, not " + size + close;
  }
  return text;
}

}  // namespace

std::string CompareWithFolder(const std::string& folder, const CutOutcome& outcome,
                              std::span<const std::uint8_t> bytes, Match& match) {
  using Kind = Held::Kind;
  const Held held = Look(folder + "/" + outcome.cut.name, bytes.size());
  std::string line = NameColumn(outcome.cut);
  if (held.kind == Kind::kUnreadable) {
    match = Match::kUnreadable;
    return line + "cannot be read: " + held.why;
  }
  match = Match::kNotAsCut;
  const std::string stop = outcome.kind == CutOutcome::Kind::kStopsHere
                               ? " (d88cut stops here: " + platform::Words(outcome.error) + ")"
                               : "";
  const bool link = held.kind == Kind::kLink || held.kind == Kind::kLinkToNothing;
  if (link) {
    // d88cut never leaves a link: whatever it leads to may go at any time.
    line += "a link, not a file (";
    if (held.kind == Kind::kLinkToNothing) return line + "it leads nowhere)" + stop;
    if (!outcome.Written()) return line + "d88cut cuts no such file from this image)" + stop;
    const std::string differences = Differences(held.bytes, bytes, ": ", "");
    return line + "its target " + (differences.empty() ? "holds the same bytes" : differences) +
           ")";
  }
  if (!outcome.Written()) {
    if (held.kind == Kind::kNothing) match = Match::kAsCut;
    return line + (held.kind == Kind::kNothing ? "not cut" : "stale") + stop;
  }
  if (held.kind == Kind::kNothing) return line + "missing";
  const std::string differences = Differences(held.bytes, bytes);
  if (differences.empty()) match = Match::kAsCut;
  return line + (differences.empty() ? "same" : differences);
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
  using Kind = Held::Kind;
  const std::string line = platform::Shown(temporary) + "  ";
  const Held held = Look(folder + "/" + temporary, bytes.size());
  match = Match::kNotAsCut;
  switch (held.kind) {
    case Kind::kFile:
      break;
    case Kind::kLink:
    case Kind::kLinkToNothing:
      return line + "a link, not a file that d88cut left";
    case Kind::kNothing:  // gone since the folder was read
      match = Match::kUnreadable;
      return line + "cannot be read: " +
             platform::Words(std::make_error_code(std::errc::no_such_file_or_directory));
    case Kind::kUnreadable:
      match = Match::kUnreadable;
      return line + "cannot be read: " + held.why;
  }
  const bool whole = outcome.Written() && Differences(held.bytes, bytes).empty();
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
