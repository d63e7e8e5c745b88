#pragma once
// The line length: the greatest number of characters the conversion commands put on one visual
// output line. Process-wide, 256 at start, not kept between runs.

namespace velmora {

inline constexpr int kMinLineLengthSetting = 1;
inline constexpr int kMaxLineLengthSetting = 256;

}  // namespace velmora

extern int g_nLineLength;
