#pragma once
// The chunk and list identifiers of an animated cursor file.

#include "animator/riff.h"

namespace vt::ani {

inline constexpr uint32_t kAcon = FourCC("ACON");
inline constexpr uint32_t kAnih = FourCC("anih");
inline constexpr uint32_t kRate = FourCC("rate");
inline constexpr uint32_t kSeq = FourCC("seq ");
inline constexpr uint32_t kFram = FourCC("fram");
inline constexpr uint32_t kInfo = FourCC("INFO");
inline constexpr uint32_t kIcon = FourCC("icon");
inline constexpr uint32_t kInam = FourCC("INAM");
inline constexpr uint32_t kIart = FourCC("IART");

}  // namespace vt::ani
