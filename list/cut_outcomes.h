// What d88cut does with each file of an image, found by reading the image as
// d88cut reads it: every verdict d88ls gives says what d88cut then does.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "d88/d88_image.h"
#include "extract/cut_reading.h"
#include "extract/cut_words.h"

namespace list {

using extract::CutOutcome;

struct ImageCuts {
  extract::ImageShape shape{};     // what the image is
  std::vector<CutOutcome> cuts{};  // in cutting order, all of them

  // Why d88cut cuts no file from it; none when it cuts one, or stops.
  std::optional<extract::NothingCut> WhyNothingIsCut() const;
  // Whether the file is no D88 image at all: it holds no disk header, or
  // disk 0's header shows a sign of being none and d88cut cuts nothing.
  bool NotAnImage() const;
  // Why a read of the image failed where d88cut stops: none when it does not
  // stop, or stops at the reading budget (the image's doing, not the system's).
  std::error_code ReadFailure() const;
};

// The file's name padded to the column its line goes on in: "MUS03   ".
std::string NameColumn(const extract::Cut& cut);

// What `take(outcome, bytes)` gets for each file in cutting order, as soon as
// it is read: `bytes` are those d88cut writes (empty when it writes none).
using TakeCut = std::function<void(const CutOutcome&, std::span<const std::uint8_t>)>;

// Opens the image at `path` in `image` as d88cut does and reads every cut as
// d88cut does, within the same reading budget; none, with the reason in
// `error`, when it cannot be opened.
std::optional<ImageCuts> ReadCuts(d88::D88Image& image, const std::string& path,
                                  std::error_code& error, const TakeCut& take = {});

}  // namespace list
