// The platform seam on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <utility>

#include "platform/platform.h"
#include "platform/shell_quoting.h"

namespace platform {

namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

FileIdentity IdentityOf(const struct stat& status) {
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

// The interrupts that end a run. While a file of the run is being written
// one is only noted: the run removes the file at its next safe point (after
// the create, before the rename) and then ends as the interrupt would have.
// With no file being written it ends the run at once. Either way the names
// that renames gave files are put on the disk first.
constexpr int kInterrupts[] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP};
volatile std::sig_atomic_t writing = 0;
volatile std::sig_atomic_t noted_interrupt = 0;
volatile std::sig_atomic_t renamed = 0;  // a rename's name is not on the disk yet

// Puts the current folder on the disk; false, with errno set, when it could
// not. Some file systems cannot put a folder on the disk by itself (EINVAL):
// that is no failure. Safe in a signal handler.
bool SyncFolder() {
  const int folder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return false;
  const bool synced = fsync(folder) == 0 || errno == EINVAL;
  const int saved = errno;
  close(folder);
  errno = saved;
  if (synced) renamed = 0;
  return synced;
}

void EndBy(int signal) {
  if (renamed) SyncFolder();
  std::signal(signal, SIG_DFL);
  raise(signal);  // in the handler, delivered as it returns
}

extern "C" void OnInterrupt(int signal) {
  if (writing) {
    noted_interrupt = signal;
  } else {
    EndBy(signal);
  }
}

void CatchInterrupts() {
  static const bool caught = [] {
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : kInterrupts) sigaddset(&action.sa_mask, signal);
    for (const int signal : kInterrupts) {
      struct sigaction before;
      // An interrupt that the caller ignores (nohup, say) stays ignored.
      if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) {
        sigaction(signal, &action, nullptr);
      }
    }
    return true;
  }();
  static_cast<void>(caught);
}

// A safe point: removes `path` (when there is one) and ends the run if an
// interrupt was noted.
void EndIfInterrupted(const char* path) {
  if (!noted_interrupt) return;
  if (path != nullptr) unlink(path);
  EndBy(noted_interrupt);
}

// The extended attributes that hold a file's access ACL, and the ACL a
// folder gives the files created in it.
constexpr char kAccessAcl[] = "system.posix_acl_access";
constexpr char kDefaultAcl[] = "system.posix_acl_default";

// What the current folder gives the files created in it, read once: the
// umask's bits or, with a default ACL (or where that cannot be known), an
// ACL and bits of its own; and their group.
struct Creation {
  bool default_acl = true;
  mode_t umask = 0;
  gid_t group = 0;
};
const Creation& CreationHere() {
  static const Creation creation = [] {
    Creation here;
    const ssize_t acl = getxattr(".", kDefaultAcl, nullptr, 0);
    here.default_acl = acl >= 0 || (errno != ENODATA && errno != ENOTSUP);
    here.umask = umask(0);
    umask(here.umask);
    struct stat folder;
    const bool known = stat(".", &folder) == 0;
    here.group = known && (folder.st_mode & S_ISGID) != 0 ? folder.st_gid : getegid();
    return here;
  }();
  return creation;
}

// The bits a file that is to replace `replaced` is created with: those of
// the replaced file, but for its group's while anyone besides them could
// reach it through them: another group, an ACL not yet in place, or one the
// folder gives.
mode_t BitsAtCreation(const FileStatus& replaced) {
  const mode_t bits = replaced.permissions & 0777;
  const bool settled = replaced.access.empty() && replaced.group == CreationHere().group &&
                       !CreationHere().default_acl;
  return settled ? bits : bits & ~mode_t{S_IRWXG};
}

// Whether the user's locale writes its characters in Shift_JIS (or in
// Windows' code page 932, which extends it). Read once, without leaving the
// locale changed; a locale that is not installed is the C locale.
bool LocaleIsShiftJis() {
  static const bool shift_jis = [] {
    const std::string before = std::setlocale(LC_CTYPE, nullptr);
    std::setlocale(LC_CTYPE, "");
    std::string codeset;
    for (const char* c = nl_langinfo(CODESET); *c != '\0'; ++c) {
      if (std::isalnum(static_cast<unsigned char>(*c)))
        codeset += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    }
    std::setlocale(LC_CTYPE, before.c_str());
    for (const char* name :
         {"SHIFTJIS", "SJIS", "SHIFTJISX0213", "MSKANJI", "CP932", "WINDOWS31J"}) {
      if (codeset == name) return true;
    }
    return false;
  }();
  return shift_jis;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return {argv, argv + argc};
}

std::vector<std::string> ExpandWildcards(const std::string& argument, std::error_code&) {
  return {argument};
}

bool IsSystemHelpOption(std::string_view) {
  return false;
}

void UseBinaryStandardStreams() {}

void KeepRunningWhenWritesFail() {
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
}

words::Language UserLanguage() {
  return words::LanguageFromEnvironment([] { return words::Language::kEnglish; });
}

bool IsTerminal(std::FILE* stream) {
  return isatty(fileno(stream)) != 0;
}

bool WriteText(std::FILE* stream, std::string_view text, std::error_code& error) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stream) == text.size()) return true;
  error = StreamError();
  return false;
}

bool WriteToTerminal(std::FILE* stream, std::string_view text) {
  if (!IsTerminal(stream) || LocaleIsShiftJis()) return false;
  std::fwrite(text.data(), 1, text.size(), stream);
  return true;
}

FileStatus::Type TypeOf(mode_t mode) {
  using Type = FileStatus::Type;
  if (S_ISREG(mode)) return Type::kFile;
  if (S_ISDIR(mode)) return Type::kFolder;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return Type::kDevice;
  return S_ISFIFO(mode) ? Type::kFifo : Type::kOther;
}

std::optional<FileStatus> StatusOf(const char* path, std::error_code& error) {
  struct stat status;
  if (lstat(path, &status) != 0) {
    if (errno != ENOENT) error = LastError();
    return std::nullopt;
  }
  FileStatus file;
  file.link = S_ISLNK(status.st_mode);
  if (file.link && stat(path, &status) != 0) {
    if (errno != ENOENT) return (error = LastError(), std::nullopt);
    file.type = FileStatus::Type::kNothing;
    return file;
  }
  constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
  file.identity = IdentityOf(status);
  file.type = TypeOf(status.st_mode);
  file.write_protected = (status.st_mode & kAnyWrite) == 0;
  file.permissions = static_cast<std::uint32_t>(status.st_mode & 0777);
  file.group = static_cast<std::uint32_t>(status.st_gid);
  if (file.link) return file;
  // Its access ACL, if it has one: its size, then its bytes.
  const ssize_t size = getxattr(path, kAccessAcl, nullptr, 0);
  ssize_t got = 0;
  if (size > 0) {
    file.access.resize(static_cast<std::size_t>(size));
    got = getxattr(path, kAccessAcl, file.access.data(), file.access.size());
    file.access.resize(static_cast<std::size_t>(std::max(got, ssize_t{0})));
  }
  if ((size < 0 && errno != ENODATA && errno != ENOTSUP) || got < 0) {
    error = LastError();
    return std::nullopt;
  }
  return file;
}

std::optional<ReadableFile> OpenRegularFile(const char* path, std::error_code& error,
                                            bool follow_links) {
  // Without O_NONBLOCK a FIFO with no writer would hold the open for ever.
  const int descriptor =
      open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (follow_links ? 0 : O_NOFOLLOW));
  if (descriptor < 0) {
    error = LastError();
    return std::nullopt;
  }
  struct stat status;
  std::FILE* stream = nullptr;
  if (fstat(descriptor, &status) != 0) {
    error = LastError();
  } else if (!S_ISREG(status.st_mode)) {
    error = S_ISDIR(status.st_mode) ? std::make_error_code(std::errc::is_a_directory)
                                    : NotARegularFile();
  } else if ((stream = fdopen(descriptor, "rb")) == nullptr) {
    error = LastError();
  }
  if (stream == nullptr) {
    close(descriptor);
    return std::nullopt;
  }
  return ReadableFile{stream, status.st_size, IdentityOf(status)};
}

std::optional<NewFile> NewFile::Create(std::string path, const FileStatus* replaced,
                                       std::error_code& error) {
  CatchInterrupts();
  const mode_t bits = replaced ? BitsAtCreation(*replaced) : 0666;
  writing = 1;  // from here on an interrupt waits for the safe point below
  const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, bits);
  if (descriptor < 0) {
    error = LastError();
    writing = 0;
    EndIfInterrupted(nullptr);
    return std::nullopt;
  }
  NewFile file(std::move(path), descriptor);
  EndIfInterrupted(file.path_.c_str());
  return file;
}

bool NewFile::KeepAccess(const FileStatus& replaced, std::error_code& error) {
  const int descriptor = static_cast<int>(handle_);
  const Creation& here = CreationHere();
  mode_t bits = replaced.permissions & 0777;
  if (replaced.group != here.group &&
      fchown(descriptor, static_cast<uid_t>(-1), static_cast<gid_t>(replaced.group)) != 0) {
    if (errno != EPERM) return (error = LastError(), false);
    bits &= ~mode_t{S_IRWXG};  // a group the user may not give files
  }
  if (!replaced.access.empty()) {
    if (fsetxattr(descriptor, kAccessAcl, replaced.access.data(), replaced.access.size(), 0) != 0) {
      return (error = LastError(), false);
    }
  } else if (here.default_acl && fremovexattr(descriptor, kAccessAcl) != 0 && errno != ENODATA &&
             errno != ENOTSUP) {
    return (error = LastError(), false);
  }
  // The bits, and an ACL's mask with them, unless the file has them already.
  const bool set = replaced.access.empty()
                       ? (BitsAtCreation(replaced) & ~here.umask) != bits || here.default_acl
                       : bits != (replaced.permissions & 0777);
  if (set && fchmod(descriptor, bits) != 0) return (error = LastError(), false);
  return true;
}

bool NewFile::Discard(std::error_code& error) {
  if (handle_ >= 0) close(static_cast<int>(std::exchange(handle_, -1)));
  if (settled_) return true;
  settled_ = true;
  const bool removed = unlink(path_.c_str()) == 0;
  if (!removed) error = LastError();
  writing = 0;
  EndIfInterrupted(nullptr);
  return removed;
}

bool NewFile::Write(std::span<const std::uint8_t> bytes, std::error_code& error) {
  while (!bytes.empty()) {
    const ssize_t written = write(static_cast<int>(handle_), bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      error = written < 0 ? LastError() : std::make_error_code(std::errc::io_error);
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

bool NewFile::RenameOver(const char* name, std::error_code& error) {
  if (fsync(static_cast<int>(handle_)) != 0 ||
      close(static_cast<int>(std::exchange(handle_, -1))) != 0) {
    error = LastError();
    return false;
  }
  EndIfInterrupted(path_.c_str());
  if (std::rename(path_.c_str(), name) != 0) {
    error = LastError();
    return false;
  }
  settled_ = true;
  renamed = 1;
  writing = 0;
  EndIfInterrupted(nullptr);  // the file was whole and in place already
  return true;
}

bool SyncRenames(std::error_code& error) {
  if (!renamed || SyncFolder()) return true;
  error = LastError();
  return false;
}

std::vector<std::string> FolderNames(const char* path, std::error_code& error) {
  DIR* folder = opendir(path);
  if (folder == nullptr) {
    error = LastError();
    return {};
  }
  std::vector<std::string> names;
  errno = 0;
  while (const dirent* entry = readdir(folder)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  if (errno != 0) error = LastError();
  closedir(folder);
  std::sort(names.begin(), names.end());
  return names;
}

bool SameName(std::string_view a, std::string_view b) {
  return a == b;
}

std::optional<std::errc> Condition(const std::error_code& error) {
  if (error.category() != std::generic_category() && error.category() != std::system_category()) {
    return std::nullopt;
  }
  return static_cast<std::errc>(error.value());
}

std::string SystemWords(const std::error_code& error) {
  return error.message();
}

std::string ProgramBeside(const std::string& program, std::string_view name) {
  const std::size_t slash = program.rfind('/');
  if (slash == std::string::npos) return std::string(name);  // found on the PATH
  const std::string beside = program.substr(0, slash + 1).append(name);
  return access(beside.c_str(), X_OK) == 0 ? ShellQuoted(beside) : std::string(name);
}

std::string ShellQuoted(std::string_view word) {
  return QuotedForSh(word);
}

int ProcessId() {
  return getpid();
}

}  // namespace platform
