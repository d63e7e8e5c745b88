#pragma once
// Turns visual-order text (copied from a web page or HTML source) back into logical order.

#include <string>
#include <string_view>

namespace velmora {

// Splits text into lines at runs of CR/LF and at the tag "<br>" (lower case only), turns each
// line back with ReverseRtlText, trims its blanks and appends it to strResult with "\r\n" line
// ends: a run of k CR/LF characters gives max(1, k / 4) breaks, so a paragraph gap of CR LF CR LF
// is one break; "<br>" gives one break and swallows the CR/LF that follow it.
void VisualToLogical(std::u32string_view text, std::u32string& strResult);

}  // namespace velmora
