#pragma once
// The line length: the greatest number of characters the conversion commands put on one visual
// output line, within the engine's kMinLineLength..kMaxLineLength. Process-wide, the longest at
// start, not kept between runs.

extern int g_nLineLength;
