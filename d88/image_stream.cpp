#include "d88/image_stream.h"

#include <algorithm>

#include "d88/d88_format.h"

namespace d88 {

bool ImageStream::Open(const char* path, std::error_code& error) {
  Close();
  const auto opened = platform::OpenRegularFile(path, error);
  if (!opened) return false;
  file_.reset(opened->stream);
  size_ = opened->size;
  identity_ = opened->identity;
  // The window is the stream's only buffer.
  std::setvbuf(file_.get(), nullptr, _IONBF, 0);
  return true;
}

void ImageStream::Close() {
  file_.reset();
  size_ = 0;
  position_ = 0;
  file_position_ = 0;
  window_start_ = 0;
  window_size_ = 0;
}

bool ImageStream::Seek(std::int64_t position) {
  if (position < 0 || position > kMaxFilePosition) return false;
  position_ = position;
  return true;
}

std::size_t ImageStream::ReadAcrossWindows(std::uint8_t* dest, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    if (position_ < window_start_ || position_ >= WindowEnd()) {
      if (!FillWindow()) break;
    }
    const auto offset = static_cast<std::size_t>(position_ - window_start_);
    const std::size_t part = std::min(count - done, window_size_ - offset);
    std::memcpy(dest + done, window_.data() + offset, part);
    done += part;
    position_ += static_cast<std::int64_t>(part);
  }
  return done;
}

// Reads the window anew from the current position; false when nothing arrives.
bool ImageStream::FillWindow() {
  window_start_ = position_;
  window_size_ = 0;
  if (!file_) return false;
  // position_ never passes kMaxFilePosition, so it fits a long everywhere.
  if (file_position_ != position_ &&
      std::fseek(file_.get(), static_cast<long>(position_), SEEK_SET) != 0) {
    return false;
  }
  std::clearerr(file_.get());
  window_size_ = std::fread(window_.data(), 1, window_.size(), file_.get());
  // After a short read (the end, or an error) the next read seeks again.
  file_position_ = window_size_ == window_.size() ? position_ + std::int64_t{kWindowSize} : -1;
  return window_size_ > 0;
}

}  // namespace d88
