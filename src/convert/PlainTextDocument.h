#pragma once
// A plain text as a document: each line a right-aligned, right-to-left paragraph, every
// character in the format of text typed with the Hebrew keyboard layout.

#include "StreamingConversion.h"
#include "TextModel.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

enum class TextEncoding {
    Utf8,
    Cp1255
};

// Lines end at LF, CR LF or CR; an ending after the last line does not open another paragraph,
// so an empty text gives an empty document. The bytes are decoded a line at a time so that no second copy of a large
// text is made. A UTF-8 byte-order mark is not text. On a byte sequence that is not valid in the encoding, returns
// false with nBadOffset at its first byte; the model is then incomplete.
bool LoadPlainTextBytes(std::string_view bytes, TextEncoding eEncoding, TextModel& model, size_t& nBadOffset);

// The same a block at a time, into a conversion that runs as the text comes: the paragraphs are
// those LoadPlainTextBytes makes of all the blocks joined. A Windows-1255 conversion (CharT
// char8_t) takes Windows-1255 text only, its bytes as they are.
template <typename CharT>
class CBasicPlainTextStreamReader {
public:
    // Starts the stream's document as a plain text: right-aligned, right-to-left paragraphs.
    CBasicPlainTextStreamReader(TextEncoding eEncoding, CBasicStreamingConversion<CharT>& stream);

    // Takes the next bytes. Returns false on a byte sequence that is not valid in the encoding,
    // with nBadOffset its offset in the whole input; nothing more may be fed then.
    bool Feed(std::string_view bytes, size_t& nBadOffset);
    // Takes what was held back at the end of the last block. The same result as Feed.
    bool Finish(size_t& nBadOffset);

private:
    bool Take(std::string_view bytes, bool bFinal, size_t& nBadOffset);
    bool TakeCp1255(std::string_view bytes, size_t nCertain, size_t& nBadOffset);
    bool TakeUtf8(std::string_view bytes, size_t nCertain, size_t& nBadOffset);
    void AppendText(std::u32string_view text);
    void AppendLines(std::basic_string_view<CharT> text);

    TextEncoding m_eEncoding;
    CBasicStreamingConversion<CharT>& m_stream;
    CharFormat m_cf;
    std::string m_held;       // a CR or a cut-off UTF-8 sequence, waiting for what follows
    size_t m_nOffset = 0;     // offset in the input of the bytes taken next
    bool m_bStarted = false;  // the byte-order mark has been looked for
    bool m_bBreakPending = false;
    std::u32string m_decoded;
};

using CPlainTextStreamReader = CBasicPlainTextStreamReader<char32_t>;
using CCp1255PlainTextStreamReader = CBasicPlainTextStreamReader<char8_t>;

extern template class CBasicPlainTextStreamReader<char32_t>;
extern template class CBasicPlainTextStreamReader<char8_t>;

}  // namespace velmora
