// Sector IDs in a compact form for the listing.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace list {

// `ids` holds 4-byte IDs (C, H, R, N) in storage order. Consecutive IDs with
// one C, H and N whose R rises by one are shown as a range ("C8 H1 N1 R1-16"),
// repeats of one ID with a count ("C7 H1 N1 R0 x3"), anything else one by
// one; the parts are separated by ", ".
std::string CompactIds(std::span<const std::uint8_t> ids);

}  // namespace list
