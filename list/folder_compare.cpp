#include "list/folder_compare.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>

#include "platform/platform.h"
#include "words/catalogue.h"

namespace list {

namespace {

constexpr std::size_t kMaxOthersNamed = 8;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

using Bytes = std::vector<std::uint8_t>;
using Type = platform::FileStatus::Type;
using words::Say;

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
      return Say(words::kLinkToFolder);
    case Type::kDevice:
      return Say(words::kLinkToDevice);
    case Type::kFifo:
      return Say(words::kLinkToFifo);
    default:
      return Say(words::kLinkToSocket);
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

// The words for what `held` holds against `bytes`, from `same` on: the same
// bytes; a difference from byte N, of the same size; then one with more
// bytes, or fewer ("differs from byte 3 (it has 2 bytes, not 768)").
struct Said {
  words::Id same, differs, longer, shorter;
};
constexpr Said kFileSaid{words::kSame, words::kDiffers, words::kDiffersLonger,
                         words::kDiffersShorter};
constexpr Said kTargetSaid{words::kLinkSame, words::kLinkDiffers, words::kLinkDiffersLonger,
                           words::kLinkDiffersShorter};

// Whether `held` is `bytes`, and what `said` says of it.
bool Compare(const Bytes& held, std::span<const std::uint8_t> bytes, const Said& said,
             std::string& text) {
  const auto [mine, theirs] = std::mismatch(held.begin(), held.end(), bytes.begin(), bytes.end());
  const bool same = mine == held.end() && theirs == bytes.end();
  const auto from = mine - held.begin() + 1;
  if (same) {
    text = Say(said.same);
  } else if (held.size() > bytes.size()) {
    text = Say(said.longer, {from, bytes.size()});
  } else if (held.size() < bytes.size()) {
    text = Say(said.shorter, {from, held.size(), bytes.size()});
  } else {
    text = Say(said.differs, {from});
  }
  return same;
}

}  // namespace

std::string CompareWithFolder(const std::string& folder, const CutOutcome& outcome,
                              std::span<const std::uint8_t> bytes, Match& match) {
  using Kind = Held::Kind;
  const Held held = Look(folder + "/" + outcome.cut.name, bytes.size());
  std::string line = NameColumn(outcome.cut);
  if (held.kind == Kind::kUnreadable) {
    match = Match::kUnreadable;
    return line + Say(words::kCannotBeRead, {held.why});
  }
  match = Match::kNotAsCut;
  const std::string stop = outcome.kind == CutOutcome::Kind::kStopsHere
                               ? Say(words::kStopsHereAside, {platform::Words(outcome.error)})
                               : "";
  std::string text;
  if (held.kind == Kind::kLink || held.kind == Kind::kLinkToNothing) {
    // d88cut never leaves a link: whatever it leads to may go at any time.
    if (held.kind == Kind::kLinkToNothing) return line + Say(words::kLinkNowhere) + stop;
    if (!outcome.Written()) return line + Say(words::kLinkNotCut) + stop;
    Compare(held.bytes, bytes, kTargetSaid, text);
    return line + text;
  }
  if (!outcome.Written()) {
    if (held.kind == Kind::kNothing) match = Match::kAsCut;
    return line + Say(held.kind == Kind::kNothing ? words::kNotCutFile : words::kStale) + stop;
  }
  if (held.kind == Kind::kNothing) return line + Say(words::kMissingFile);
  if (Compare(held.bytes, bytes, kFileSaid, text)) match = Match::kAsCut;
  return line + text;
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
      return line + Say(words::kTemporaryLink);
    case Kind::kNothing:  // gone since the folder was read
      match = Match::kUnreadable;
      return line +
             Say(words::kCannotBeRead,
                 {platform::Words(std::make_error_code(std::errc::no_such_file_or_directory))});
    case Kind::kUnreadable:
      match = Match::kUnreadable;
      return line + Say(words::kCannotBeRead, {held.why});
  }
  std::string ignored;
  const bool whole = outcome.Written() && Compare(held.bytes, bytes, kFileSaid, ignored);
  return line + Say(whole ? words::kTemporaryWhole : words::kTemporaryNotWhole, {outcome.cut.name});
}

std::string OnlyIn(const std::string& folder, const std::vector<std::string>& others) {
  if (others.empty()) return "";
  std::string names;
  for (std::size_t i = 0; i < std::min(others.size(), kMaxOthersNamed); ++i) {
    names = words::Listed(names, platform::Shown(others[i]));
  }
  if (others.size() > kMaxOthersNamed) {
    names = Say(words::kAndMore, {names, others.size() - kMaxOthersNamed});
  }
  return Say(words::kOnlyIn, {platform::Shown(folder), names});
}

}  // namespace list
