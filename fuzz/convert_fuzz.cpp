// Fuzzes the conversion engine: documents made of the characters and formats that steer its
// rules (blanks, break and edge punctuation, Hebrew, marks, bullets, line ends), any layout, line
// length and selection, through both line walks and the way back from visual text. A similar
// document, written as RTF, also goes through velmora-convert's own path: the input in blocks,
// the options (encoding, a selection that may lie outside the text), the document converted in
// windows of a few characters and stitched together, the output written piece by piece through
// a save to an open stream; what arrives must be the engine's whole output encoded at once.

#include "AtomicFile.h"
#include "CodePage1255.h"
#include "ConversionEngine.h"
#include "ConvertJob.h"
#include "RtfReader.h"
#include "Utf8.h"
#include "VisualToLogical.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

namespace {

using namespace velmora;

// clang-format off
constexpr char32_t kAlphabet[] = {U' ', U' ', U'.', U',', U':', U'(', U')', U'[', U'"', U'-', U'$', U'a', U'b',
                                  U'1', U'2', U'\t', U'\r', U'\n', U'<', U'>', U'\u05D0', U'\u05D1',
                                  U'\u05B0', U'\u200F', U'\u00B7', U'\u00A0', U'\U0001F600'};
// clang-format on

void Check(bool bCondition) {
    if (!bCondition) std::abort();
}

TextModel BuildDocument(const uint8_t* data, size_t size) {
    TextModel doc;
    CharFormat cf = HebrewTypingFormat();
    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = data[i];
        if (b < 0x08) {
            switch (b) {
            case 0: cf.dwEffects ^= CFE_BOLD; break;
            case 1: cf.bCharSet = cf.bCharSet == HEBREW_CHARSET ? ANSI_CHARSET : HEBREW_CHARSET; break;
            case 2:
                cf.dwEffects ^= CFE_AUTOCOLOR;
                cf.crTextColor = cf.IsAutoColor() ? 0 : 0xFF;
                break;
            case 3: cf.yHeight = cf.yHeight == 240 ? 160 : 240; break;
            case 4: doc.BreakParagraph(cf); break;
            default: doc.SetParagraphAlignment(static_cast<uint16_t>(b - 4)); break;
            }
            continue;
        }
        doc.Append(kAlphabet[b % std::size(kAlphabet)], cf);
    }
    return doc;
}

// A document in RTF from the bytes BuildDocument reads: control bytes are format words.
std::string RtfOf(const uint8_t* data, size_t size) {
    static constexpr const char* kWords[] = {"\\b ", "\\b0 ", "\\f1 ", "\\f0 ", "\\par ", "\\cf1 ", "\\qc ", "\\ql "};
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1255{\\fonttbl{\\f0\\fcharset177 David;}{\\f1\\fcharset0 Arial;}}"
        "{\\colortbl;\\red255\\green0\\blue0;}\\pard\\qr\\rtlpar ";
    for (size_t i = 0; i < size; ++i) {
        if (data[i] < 0x08) {
            rtf += kWords[data[i]];
            continue;
        }
        const char32_t ch = kAlphabet[data[i] % std::size(kAlphabet)];
        if (ch == U'\\' || ch == U'{' || ch == U'}') rtf += '\\';
        if (ch < 0x80) {
            rtf += static_cast<char>(ch);
        } else if (ch < 0x10000) {
            rtf += "\\u" + std::to_string(static_cast<int16_t>(ch)) + "?";
        } else {
            const char32_t v = ch - 0x10000;
            rtf += "\\u" + std::to_string(static_cast<int16_t>(0xD800 + (v >> 10))) + "?\\u" +
                   std::to_string(static_cast<int16_t>(0xDC00 + (v & 0x3FF))) + "?";
        }
    }
    return rtf + "}";
}

// Input handed out nBlock bytes at a time, as a pipe would.
class CPipedInput : public IInputSource {
public:
    CPipedInput(std::string_view bytes, size_t nBlock) : m_bytes(bytes), m_nBlock(nBlock) {}
    std::ptrdiff_t Read(char* pBuffer, size_t nSize, std::string&) override {
        const size_t n = std::min({nSize, m_nBlock, m_bytes.size()});
        std::copy_n(m_bytes.data(), n, pBuffer);
        m_bytes.remove_prefix(n);
        return static_cast<std::ptrdiff_t>(n);
    }

private:
    std::string_view m_bytes;
    size_t m_nBlock;
};

// Runs the conversion as velmora-convert does: input in blocks, the document in windows of
// nWindow characters, the output written piece by piece through a save to an open stream.
// Returns what the stream received.
std::string ThroughTheConverter(const std::string& input, const ConvertOptions& options, size_t nBlock, int32_t nWindow,
                                ConvertOutcome& outcome) {
    static const int fd = ::memfd_create("convert_fuzz", 0);
    Check(fd >= 0 && ::ftruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0);
    CAtomicFile save;
    std::string strError;
    Check(save.Open("/proc/self/fd/" + std::to_string(fd), strError));
    CPipedInput source(input, nBlock);
    outcome = RunStreamingConversion(
        source, "fuzz.rtf", options, [&](std::string_view bytes) { return save.Write(bytes, strError); }, nWindow);
    Check(!outcome.bOutputFailed && save.Commit(strError));
    std::string written(static_cast<size_t>(::lseek(fd, 0, SEEK_END)), '\0');
    Check(::pread(fd, written.data(), written.size(), 0) == static_cast<ssize_t>(written.size()));
    return written;
}

void CheckConvertJob(const uint8_t* data, size_t size) {
    const uint8_t flags = data[4];
    ConvertOptions options;
    options.eMode = (flags & 1) != 0 ? ConvertMode::Html : ConvertMode::Plain;
    options.eEncoding = (flags & 2) != 0 ? TextEncoding::Cp1255 : TextEncoding::Utf8;
    options.bHasSelection = (flags & 4) != 0;
    options.nSelectFrom = static_cast<int64_t>(data[2]) - 16;
    options.nSelectTo = static_cast<int64_t>(data[3]) * 2 - 16;
    options.nLineLength = 1 + data[0] % 256;
    options.nWrapColumns = data[1] % 24;
    const std::string rtf = RtfOf(data + 4, size - 4);
    ConvertOutcome outcome;
    const std::string written = ThroughTheConverter(rtf, options, 1 + data[5] % 64 * 97, 1 + data[5] % 7, outcome);

    // The engine's whole output, encoded at once.
    TextModel doc;
    Check(ReadRtf(rtf, doc).bOk);
    if (doc.Length() == 0) {
        Check(outcome.nExitCode == 0 && written.empty());
        return;
    }
    doc.LayOut(options.nWrapColumns);
    const int64_t len = doc.Length();
    const int64_t from = options.bHasSelection ? std::clamp<int64_t>(options.nSelectFrom, 0, len) : 0;
    const int64_t to = options.bHasSelection ? std::clamp<int64_t>(options.nSelectTo, 0, len) : 0;
    doc.SetSel(static_cast<int32_t>(std::min(from, to)), static_cast<int32_t>(std::max(from, to)));
    CConversionEngine engine;
    const std::u32string whole = options.eMode == ConvertMode::Html ? engine.CopyToHtml(doc, options.nLineLength)
                                                                    : engine.NonstyledText(doc, options.nLineLength);
    std::string expected;
    size_t nBad = 0;
    if (options.eEncoding == TextEncoding::Utf8) {
        expected = EncodeUtf8(whole);
    } else if (!EncodeCp1255(whole, expected, nBad)) {
        // Output already written before the fault may stay on a stream: it must be the start of
        // the whole output.
        std::string before;
        size_t nNone = 0;
        Check(EncodeCp1255(std::u32string_view(whole).substr(0, nBad), before, nNone));
        Check(outcome.nExitCode == 1 && before.starts_with(written));
        Check(outcome.strMessage.find(" at output position " + std::to_string(nBad) + " ") != std::string::npos);
        return;
    }
    Check(outcome.nExitCode == 0 && written == expected);
}

// Windows-1255 plain text, which velmora-convert reads, converts and writes as bytes when it
// streams: the bytes that steer the rules (marks, bullets, NUL, line ends, an undefined byte)
// and any other byte; the same output and outcome as the whole conversion over characters.
void CheckCp1255TextJob(const uint8_t* data, size_t size) {
    static constexpr uint8_t kBytes[] = {' ', ' ', '.',  ',',  ':',  '(',  ')',  '[',  '"',  '-',  '$',  'a',
                                         'b', '1', '\t', '\r', '\n', 0xE0, 0xE1, 0xC0, 0xFE, 0xB7, 0xA0, 0x00};
    std::string text;
    for (size_t i = 6; i < size; ++i) {
        text += static_cast<char>(data[i] < 0xF0 ? kBytes[data[i] % std::size(kBytes)] : data[i] - 0xF0 + 0x90);
    }
    ConvertOptions options;
    options.eMode = ConvertMode::Plain;
    options.eEncoding = TextEncoding::Cp1255;
    options.nLineLength = 1 + data[0] % 256;
    options.nWrapColumns = data[1] % 24;
    options.ePage = (data[4] & 8) != 0 ? PageKind::Logical : PageKind::Visual;
    ConvertOutcome outcome;
    const std::string written = ThroughTheConverter(text, options, 1 + data[5] % 64 * 97, 1 + data[5] % 7, outcome);
    const ConvertOutcome whole = RunConversion(text, "fuzz.rtf", options);
    Check(outcome.nExitCode == whole.nExitCode && outcome.strMessage == whole.strMessage);
    Check(written == whole.strOutput);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6) return 0;
    CheckConvertJob(data, size);
    CheckCp1255TextJob(data, size);
    const int32_t nLineLength = 1 + data[0] % 256;
    const int32_t nWrap = data[1] % 24;
    TextModel doc = BuildDocument(data + 4, size - 4);
    doc.LayOut(nWrap);
    const int32_t len = doc.Length();
    const int32_t a = len > 0 ? data[2] % (len + 1) : 0;
    const int32_t b = len > 0 ? data[3] % (len + 1) : 0;
    doc.SetSel(a, b);
    int32_t nStart = 0;
    int32_t nEnd = 0;
    doc.GetSel(nStart, nEnd);
    if (len == 0) return 0;

    CConversionEngine engine;
    const std::u32string html = engine.CopyToHtml(doc, nLineLength);
    Check(html.ends_with(U"</NOBR></DIV>"));
    int32_t nAfterStart = -1;
    int32_t nAfterEnd = -1;
    doc.GetSel(nAfterStart, nAfterEnd);
    Check(nAfterStart == nStart && nAfterEnd == nEnd);
    Check(engine.m_nDoneChars <= engine.m_nTotalChars);

    const std::u32string plain = engine.NonstyledText(doc, nLineLength);
    Check(plain.find(U"<NOBR>") == std::u32string::npos);

    std::u32string logical;
    VisualToLogical(doc.Text(), logical);
    return 0;
}
