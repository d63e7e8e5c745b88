#pragma once
// Writes a text model as RTF that word processors read back exactly.
//
// The document declares code page 1255, a Hebrew font (\f0, \fcharset177), a Latin font (\f1,
// \fcharset0) and one more font for each other character set the model uses, so that every
// character's set comes back from its font. Each paragraph is \pard with \ql, \qr, \qc or \qj and
// \rtlpar or \ltrpar; character formats are written where they change: \b \i \ul \strike \cfN
// \fsN, with \ab \ai \afsN \afN alongside (under \ltrch and \rtlch, the run's own direction last:
// \rtlch for the Hebrew font) so that readers that format right-to-left text by the associated
// properties see the same. Text in the Hebrew font that Windows-1255 holds is written
// \'xx; every other character beyond ASCII (and every control character but the tab) as \uN with
// a '?' fallback, characters beyond the BMP as two \u words. Every paragraph, the last included,
// ends with \par, so a model whose text ends in CR LF ends with two.
//
// Limits: sizes are written in half points (a yHeight that is not a multiple of 10 twips is
// rounded); U+0000 is not written.

#include "TextModel.h"

#include <string>

namespace velmora {

// The RTF bytes of model (7-bit ASCII).
std::string WriteRtf(const TextModel& model);

}  // namespace velmora
