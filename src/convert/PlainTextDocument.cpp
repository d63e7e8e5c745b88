#include "PlainTextDocument.h"

#include "CodePage1255.h"
#include "Cp1255Scan.h"
#include "Utf8.h"

#include <cstring>
#include <type_traits>

namespace velmora {

namespace {

void StartPlainDocument(TextModel& model, size_t nSizeHint) {
    model.Clear();
    model.Reserve(nSizeHint + nSizeHint / 16);
    model.SetParagraphAlignment(PFA_RIGHT);
    model.SetParagraphRtl(true);
}

// Calls onLine(line, bLast) for every line of text; the ending after the last line opens nothing.
template <typename CharT, typename OnLine>
void ForEachLine(std::basic_string_view<CharT> text, OnLine onLine) {
    size_t p = 0;
    while (p < text.size()) {
        size_t end = p;
        while (end < text.size() && text[end] != CharT('\r') && text[end] != CharT('\n')) ++end;
        if (end == text.size()) {
            onLine(text.substr(p), true);
            return;
        }
        const size_t next =
            end + (text[end] == CharT('\r') && end + 1 < text.size() && text[end + 1] == CharT('\n') ? 2 : 1);
        onLine(text.substr(p, end - p), next >= text.size());
        p = next;
    }
}

}  // namespace

bool LoadPlainTextBytes(std::string_view bytes, TextEncoding eEncoding, TextModel& model, size_t& nBadOffset) {
    const bool bUtf8 = eEncoding == TextEncoding::Utf8;
    size_t nSkipped = 0;
    if (bUtf8 && bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
        nSkipped = kUtf8Bom.size();
    }
    StartPlainDocument(model, bytes.size());
    const CharFormat cf = HebrewTypingFormat();
    std::u32string line;
    bool bOk = true;
    ForEachLine(bytes, [&](std::string_view encoded, bool bLast) {
        if (!bOk) return;
        size_t nBad = 0;
        bOk = bUtf8 ? DecodeUtf8(encoded, line, nBad) : DecodeCp1255(encoded, line, nBad);
        if (!bOk) {
            nBadOffset = nSkipped + static_cast<size_t>(encoded.data() - bytes.data()) + nBad;
            return;
        }
        model.Append(line, cf);
        if (!bLast) model.BreakParagraph(cf);
    });
    return bOk;
}

namespace {

// Bytes decoded at a time: small enough to stay in the cache.
constexpr size_t kDecodeBytes = 1 << 16;

size_t Utf8SequenceLength(uint8_t lead) { return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1; }

// How much of bytes can be decoded before more input comes: all but a CR at the very end (the
// first half of a CR LF, perhaps) and a UTF-8 sequence cut off by the end.
size_t CertainLength(std::string_view bytes, bool bUtf8) {
    size_t n = bytes.size();
    if (n > 0 && bytes[n - 1] == '\r') return n - 1;
    if (!bUtf8) return n;
    for (size_t k = 1; k <= 3 && k <= n; ++k) {
        const auto byte = static_cast<uint8_t>(bytes[n - k]);
        if (byte < 0x80) break;
        if (byte >= 0xC0) return Utf8SequenceLength(byte) > k ? n - k : n;
    }
    return n;
}

// The end of the next stretch to decode from nStart: about kDecodeBytes, never between the two
// bytes of a CR LF nor inside a UTF-8 sequence.
size_t StretchEnd(std::string_view bytes, size_t nStart, bool bUtf8) {
    size_t e = nStart + kDecodeBytes;
    if (e >= bytes.size()) return bytes.size();
    if (bUtf8) {
        for (int k = 0; k < 3 && (static_cast<uint8_t>(bytes[e]) & 0xC0) == 0x80; ++k) --e;
    }
    if (bytes[e - 1] == '\r' && bytes[e] == '\n') ++e;
    return e;
}

}  // namespace

template <typename CharT>
CBasicPlainTextStreamReader<CharT>::CBasicPlainTextStreamReader(TextEncoding eEncoding,
                                                                CBasicStreamingConversion<CharT>& stream)
    : m_eEncoding(std::is_same_v<CharT, char8_t> ? TextEncoding::Cp1255 : eEncoding),
      m_stream(stream),
      m_cf(HebrewTypingFormat()) {
    m_stream.Document().SetParagraphAlignment(PFA_RIGHT);
    m_stream.Document().SetParagraphRtl(true);
}

template <typename CharT>
bool CBasicPlainTextStreamReader<CharT>::Feed(std::string_view bytes, size_t& nBadOffset) {
    if (m_held.empty() && m_bStarted) return Take(bytes, false, nBadOffset);
    m_held.append(bytes);
    const std::string held = std::move(m_held);
    m_held.clear();
    return Take(held, false, nBadOffset);
}

template <typename CharT>
bool CBasicPlainTextStreamReader<CharT>::Finish(size_t& nBadOffset) {
    const std::string held = std::move(m_held);
    m_held.clear();
    return Take(held, true, nBadOffset);
}

template <typename CharT>
bool CBasicPlainTextStreamReader<CharT>::Take(std::string_view bytes, bool bFinal, size_t& nBadOffset) {
    const bool bUtf8 = m_eEncoding == TextEncoding::Utf8;
    if (!m_bStarted) {
        if (bUtf8 && bytes.size() < kUtf8Bom.size() && !bFinal && kUtf8Bom.starts_with(bytes)) {
            m_held.assign(bytes);  // too few bytes yet to tell a byte-order mark
            return true;
        }
        m_bStarted = true;
        if (bUtf8 && bytes.starts_with(kUtf8Bom)) {
            bytes.remove_prefix(kUtf8Bom.size());
            m_nOffset += kUtf8Bom.size();
        }
    }
    const size_t nCertain = bFinal ? bytes.size() : CertainLength(bytes, bUtf8);
    return bUtf8 ? TakeUtf8(bytes, nCertain, nBadOffset) : TakeCp1255(bytes, nCertain, nBadOffset);
}

template <typename CharT>
bool CBasicPlainTextStreamReader<CharT>::TakeUtf8(std::string_view bytes, size_t nCertain, size_t& nBadOffset) {
    for (size_t nStart = 0; nStart < nCertain;) {
        const size_t nEnd = StretchEnd(bytes.substr(0, nCertain), nStart, true);
        const std::string_view stretch = bytes.substr(nStart, nEnd - nStart);
        size_t nBad = 0;
        if (!DecodeUtf8(stretch, m_decoded, nBad)) {
            nBadOffset = m_nOffset + nBad;
            return false;
        }
        AppendText(m_decoded);
        m_nOffset += stretch.size();
        nStart = nEnd;
    }
    m_held.assign(bytes.substr(nCertain));
    return true;
}

// Windows-1255 has one character a byte, so lines are found in the bytes and each is decoded
// straight into the document. A stretch is checked whole before any of its lines is taken, so
// that nothing of it is converted when it holds an undefined byte.
template <typename CharT>
bool CBasicPlainTextStreamReader<CharT>::TakeCp1255(std::string_view bytes, size_t nCertain, size_t& nBadOffset) {
    BasicTextModel<CharT>& doc = m_stream.Document();
    for (size_t nStart = 0; nStart < nCertain;) {
        const size_t nEnd = StretchEnd(bytes.substr(0, nCertain), nStart, false);
        const std::string_view stretch = bytes.substr(nStart, nEnd - nStart);
        const size_t nBad = FindUndefinedCp1255(stretch);
        if (nBad < stretch.size()) {
            nBadOffset = m_nOffset + nBad;
            return false;
        }
        size_t p = 0;
        while (p < stretch.size()) {
            size_t e = SkipToLineEnd(stretch.data(), p, stretch.size());
            while (e < stretch.size() && stretch[e] != '\r' && stretch[e] != '\n') ++e;
            if (m_bBreakPending) {
                m_stream.EndParagraph(m_cf);
                m_bBreakPending = false;
            }
            if (e > p) {
                const std::string_view line = stretch.substr(p, e - p);
                if constexpr (std::is_same_v<CharT, char8_t>) {
                    std::memcpy(doc.AppendSpace(line.size(), m_cf), line.data(), line.size());
                } else {
                    DecodeCp1255Into(line, doc.AppendSpace(line.size(), m_cf));
                }
            }
            if (e == stretch.size()) break;
            m_bBreakPending = true;
            p = e + (stretch[e] == '\r' && e + 1 < stretch.size() && stretch[e + 1] == '\n' ? 2 : 1);
        }
        m_nOffset += stretch.size();
        nStart = nEnd;
    }
    m_held.assign(bytes.substr(nCertain));
    return true;
}

// Lines end at LF, CR LF or CR. A paragraph is ended only when a next line begins, since an
// ending after the last line opens nothing.
template <typename CharT>
void CBasicPlainTextStreamReader<CharT>::AppendText(std::u32string_view text) {
    // Only a Unicode document takes decoded text (a Windows-1255 one is never given UTF-8).
    if constexpr (std::is_same_v<CharT, char32_t>) AppendLines(text);
}

template <typename CharT>
void CBasicPlainTextStreamReader<CharT>::AppendLines(std::basic_string_view<CharT> text) {
    BasicTextModel<CharT>& doc = m_stream.Document();
    size_t p = 0;
    while (p < text.size()) {
        size_t e = p;
        while (e < text.size() && text[e] != U'\r' && text[e] != U'\n') ++e;
        if (m_bBreakPending) {
            m_stream.EndParagraph(m_cf);
            m_bBreakPending = false;
        }
        doc.Append(text.substr(p, e - p), m_cf);
        if (e == text.size()) return;
        m_bBreakPending = true;
        p = e + (text[e] == U'\r' && e + 1 < text.size() && text[e + 1] == U'\n' ? 2 : 1);
    }
}

template class CBasicPlainTextStreamReader<char32_t>;
template class CBasicPlainTextStreamReader<char8_t>;

}  // namespace velmora
