// The platform seam on POSIX systems.
#include <fcntl.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <utility>

#include "platform/platform.h"

namespace platform {

namespace {

std::error_code LastError() {
  return {errno, std::generic_category()};
}

FileIdentity IdentityOf(const struct stat& status) {
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

// The interrupts that end a run, and the one file to remove when they do.
// The name changes only while they are blocked, so the handler sees it whole.
constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};
std::string pending_removal;
volatile std::sig_atomic_t removal_pending = 0;

extern "C" void RemovePendingFileAndEnd(int signal) {
  if (removal_pending) unlink(pending_removal.c_str());
  std::signal(signal, SIG_DFL);
  raise(signal);  // delivered as the handler returns: the process ends as it would have
}

void CatchInterrupts() {
  static const bool caught = [] {
    struct sigaction action = {};
    action.sa_handler = RemovePendingFileAndEnd;
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

// Holds the interrupts back for its lifetime.
class InterruptsBlocked {
 public:
  InterruptsBlocked() {
    sigset_t interrupts;
    sigemptyset(&interrupts);
    for (const int signal : kInterrupts) sigaddset(&interrupts, signal);
    sigprocmask(SIG_BLOCK, &interrupts, &before_);
  }
  ~InterruptsBlocked() { sigprocmask(SIG_SETMASK, &before_, nullptr); }

 private:
  sigset_t before_;
};

// Whether the user's locale writes its characters in UTF-8. Read once,
// without leaving the locale changed.
bool LocaleIsUtf8() {
  static const bool utf8 = [] {
    const std::string before = std::setlocale(LC_CTYPE, nullptr);
    std::setlocale(LC_CTYPE, "");
    const std::string codeset = nl_langinfo(CODESET);
    std::setlocale(LC_CTYPE, before.c_str());
    return codeset == "UTF-8" || codeset == "utf8";
  }();
  return utf8;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return {argv, argv + argc};
}

void UseBinaryStandardStreams() {}

void KeepRunningWhenWritesFail() {
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
}

bool WriteToTerminal(std::FILE* stream, std::string_view text) {
  if (!isatty(fileno(stream)) || !LocaleIsUtf8()) return false;
  std::fwrite(text.data(), 1, text.size(), stream);
  return true;
}

std::optional<FileStatus> StatusOf(const char* path) {
  struct stat status;
  if (stat(path, &status) != 0) return std::nullopt;
  constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
  return FileStatus{IdentityOf(status), S_ISDIR(status.st_mode), (status.st_mode & kAnyWrite) == 0,
                    static_cast<std::uint32_t>(status.st_mode & 0777)};
}

std::optional<ReadableFile> OpenRegularFile(const char* path, std::error_code& error) {
  // Without O_NONBLOCK a FIFO with no writer would hold the open for ever.
  const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
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

std::optional<NewFile> NewFile::Create(std::string path, std::error_code& error) {
  CatchInterrupts();
  const InterruptsBlocked blocked;
  const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    error = LastError();
    return std::nullopt;
  }
  pending_removal = path;
  removal_pending = 1;
  return NewFile(std::move(path), descriptor);
}

void NewFile::Discard() {
  if (handle_ >= 0) close(static_cast<int>(handle_));
  if (renamed_) return;
  const InterruptsBlocked blocked;
  unlink(path_.c_str());
  removal_pending = 0;
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

bool NewFile::SetPermissions(std::uint32_t permissions, std::error_code& error) {
  if (fchmod(static_cast<int>(handle_), static_cast<mode_t>(permissions & 0777)) == 0) return true;
  error = LastError();
  return false;
}

bool NewFile::RenameOver(const char* name, std::error_code& error) {
  if (fsync(static_cast<int>(handle_)) != 0 ||
      close(static_cast<int>(std::exchange(handle_, -1))) != 0) {
    error = LastError();
    return false;
  }
  const InterruptsBlocked blocked;
  if (std::rename(path_.c_str(), name) != 0) {
    error = LastError();
    return false;
  }
  renamed_ = true;
  removal_pending = 0;
  return true;
}

int ProcessId() {
  return getpid();
}

}  // namespace platform
