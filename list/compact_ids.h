// Sector IDs in a compact form for the listing.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace list {

// `ids` holds 4-byte IDs (C, H, R, N) in storage order. Consecutive IDs with
// one C, H and N whose R rises by one are shown as a range ("C8 H1 N1 R1-16"),
// repeats of one ID with a count ("C7 H1 N1 R0 x3"), anything else one by
// one; the parts are separated by ", ". After `max_parts` parts the rest is
// only counted: ", and 65000 more".
inline constexpr std::size_t kMaxParts = 16;
std::string CompactIds(std::span<const std::uint8_t> ids, std::size_t max_parts = kMaxParts);

}  // namespace list
