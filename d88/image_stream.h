// A read-only image file with its own read window.
//
// Walking a track reads a 16-byte header and skips over the sector's data,
// record after record. The C library turns every relative fseek into a system
// call even when the target is in its buffer, so this stream keeps a window of
// the file itself: seeks and skips only move a position, and the file is read
// again only when a read leaves the window.
//
// The stream reads the file as it was when it was opened: nothing past the
// size it had then, and a file that has shrunk since is a failure, as a read
// or seek the system refuses is. The first failure is kept; the end of the
// file is none.
//
// No image keeps a reader busy for long: from each opening, the stream fetches
// at most kReadingBudget bytes from the file. A real disk needs far less (a
// 2D disk lists with 1.2 MiB, and is cut with 0.1 MiB); an image crafted so
// that a track's walk never ends, or every track walks one long run, would
// otherwise take minutes and read gigabytes again and again. Both tools read
// within it, so they stop at the same place.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <system_error>

#include "d88/read_errors.h"
#include "platform/platform.h"

namespace d88 {

inline constexpr std::int64_t kReadingBudget = std::int64_t{256} << 20;

class ImageStream {
 public:
  // Opens `path` (UTF-8 on Windows) for reading in binary mode, without
  // waiting for anything. False, with the reason in `error`, when it cannot
  // be opened or is not a regular file (a folder, a pipe, a device); the
  // stream is then closed.
  bool Open(const char* path, std::error_code& error);
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  // The file's size when it was opened; 0 while closed.
  std::int64_t Size() const { return size_; }
  // Which file it is; meaningless while closed.
  const platform::FileIdentity& Identity() const { return identity_; }
  std::int64_t Position() const { return position_; }
  // The first read or seek that failed since the file was opened; none
  // (false) while every read has had what the file held.
  std::error_code Error() const { return error_.value_or(std::error_code()); }

  // The most bytes the stream may fetch from a file opened from now on
  // (kReadingBudget unless set). Once they are spent every read that needs
  // more fails (ReadingBudgetSpent()) and gives nothing. Reads
  // served from what was fetched are free: each fetch serves at most a window
  // of them for each walk over it.
  void SetBudget(std::int64_t bytes) { budget_ = bytes; }

  // Moves to an absolute position, or by `count` bytes from the current one.
  // False, without moving, for a target outside 0 to kMaxFilePosition.
  bool Seek(std::int64_t position);
  bool Skip(std::int64_t count) { return Seek(position_ + count); }

  // Copies up to `count` bytes from the current position into `dest` and
  // returns how many arrived: fewer at the end of the file or on a failure.
  std::size_t Read(std::uint8_t* dest, std::size_t count) {
    if (position_ >= window_start_ && position_ + static_cast<std::int64_t>(count) <= WindowEnd()) {
      std::memcpy(dest, window_.data() + (position_ - window_start_), count);
      position_ += static_cast<std::int64_t>(count);
      return count;
    }
    return ReadAcrossWindows(dest, count);
  }

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  static constexpr std::size_t kWindowSize = 32 * 1024;

  std::int64_t WindowEnd() const { return window_start_ + static_cast<std::int64_t>(window_size_); }
  std::size_t ReadAcrossWindows(std::uint8_t* dest, std::size_t count);
  bool FillWindow();
  void Fail(std::error_code error);  // keeps the first failure

  std::unique_ptr<std::FILE, FileCloser> file_;
  std::int64_t size_ = 0;
  // Not an error_code itself, whose construction is not constant: the
  // process's one reader would then be cleared at start.
  std::optional<std::error_code> error_;
  std::int64_t budget_ = kReadingBudget;
  std::int64_t fetched_ = 0;
  platform::FileIdentity identity_;
  std::int64_t position_ = 0;
  std::int64_t file_position_ = 0;  // where the next fread starts
  std::int64_t window_start_ = 0;
  std::size_t window_size_ = 0;
  std::array<std::uint8_t, kWindowSize> window_{};
};

}  // namespace d88
