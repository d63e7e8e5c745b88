#include "ConvertJob.h"

#include "CodePage1255.h"
#include "ConversionEngine.h"
#include "JsonDump.h"
#include "PlainTextDocument.h"
#include "RtfReader.h"
#include "TextModel.h"
#include "UnicodeLineOrder.h"
#include "Utf8.h"
#include "VisualToLogical.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace velmora {

namespace {

ConvertOutcome Failure(const std::string& strInputName, const std::string& reason) {
    return ConvertOutcome{1, {}, strInputName + ": " + reason};
}

std::string HexCodePoint(char32_t ch) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(ch));
    return text;
}

std::string BadTextReason(TextEncoding eEncoding, size_t nBad) {
    return eEncoding == TextEncoding::Cp1255
               ? "byte " + std::to_string(nBad) + " is not a Windows-1255 character (try --encoding utf-8)"
               : "not valid UTF-8 text (byte " + std::to_string(nBad) + "; try --encoding cp1255)";
}

// Plain text in the chosen encoding; a UTF-8 byte-order mark is not part of the text.
bool DecodeInput(std::string_view input, TextEncoding eEncoding, std::u32string& text, std::string& reason) {
    size_t nBad = 0;
    if (eEncoding == TextEncoding::Cp1255) {
        if (DecodeCp1255(input, text, nBad)) return true;
    } else {
        const size_t nBom = input.starts_with(kUtf8Bom) ? kUtf8Bom.size() : 0;
        if (DecodeUtf8(input.substr(nBom), text, nBad)) return true;
        nBad += nBom;
    }
    reason = BadTextReason(eEncoding, nBad);
    return false;
}

// Encodes text, which stands at character nOffset of the whole output, onto the end of bytes.
bool AppendEncoded(std::u32string_view text, size_t nOffset, TextEncoding eEncoding, std::string& bytes,
                   std::string& reason) {
    if (eEncoding == TextEncoding::Utf8) {
        bytes += EncodeUtf8(text);
        return true;
    }
    std::string encoded;
    size_t nBad = 0;
    if (EncodeCp1255(text, encoded, nBad)) {
        bytes += encoded;
        return true;
    }
    reason = "character " + HexCodePoint(text[nBad]) + " at output position " + std::to_string(nOffset + nBad) +
             " cannot be written in cp1255 (use --encoding utf-8)";
    return false;
}

bool EncodeOutput(std::u32string_view text, TextEncoding eEncoding, std::string& bytes, std::string& reason) {
    bytes.clear();
    if (AppendEncoded(text, 0, eEncoding, bytes, reason)) return true;
    bytes.clear();
    return false;
}

// Takes a conversion's output a stretch at a time and encodes it as it comes; after the first
// character that the encoding cannot hold it keeps the reason and takes no more.
class COutputEncoder {
public:
    COutputEncoder(TextEncoding eEncoding, std::string& bytes) : m_eEncoding(eEncoding), m_bytes(bytes) {}

    void Add(std::u32string_view text) {
        if (!m_reason.empty()) return;
        if (!AppendEncoded(text, m_nChars, m_eEncoding, m_bytes, m_reason)) m_bytes.clear();
        m_nChars += text.size();
    }
    bool Failed() const { return !m_reason.empty(); }
    const std::string& Reason() const { return m_reason; }

private:
    TextEncoding m_eEncoding;
    std::string& m_bytes;
    size_t m_nChars = 0;
    std::string m_reason;
};

bool BuildDocument(std::string_view input, const ConvertOptions& options, TextModel& model, std::string& reason) {
    if (LooksLikeRtf(input)) {
        const RtfReadResult result = ReadRtf(input, model);
        if (!result.bOk) reason = result.strError;
        return result.bOk;
    }
    size_t nBad = 0;
    if (LoadPlainTextBytes(input, options.eEncoding, model, nBad)) return true;
    reason = BadTextReason(options.eEncoding, nBad);
    return false;
}

// Positions outside the text count as its nearer end. A selection that comes out empty converts
// the whole document, as the editor does with nothing selected. Returns a note for standard error
// when the selection had to be cut, else nothing.
std::string ApplySelection(const ConvertOptions& options, TextModel& model, const std::string& strInputName) {
    if (!options.bHasSelection) {
        model.SetSel(0, 0);
        return {};
    }
    const int64_t len = model.Length();
    int64_t from = std::clamp<int64_t>(options.nSelectFrom, 0, len);
    int64_t to = std::clamp<int64_t>(options.nSelectTo, 0, len);
    if (from > to) std::swap(from, to);
    model.SetSel(static_cast<int32_t>(from), static_cast<int32_t>(to));
    const bool bCut = from != std::min(options.nSelectFrom, options.nSelectTo) ||
                      to != std::max(options.nSelectFrom, options.nSelectTo);
    if (!bCut) return {};
    const std::string strNote = strInputName + ": the selection " + std::to_string(options.nSelectFrom) + ":" +
                                std::to_string(options.nSelectTo) + (from == to ? " lies" : " reaches") +
                                " outside the text (" + std::to_string(len) + " characters); converting ";
    return strNote + (from == to ? "the whole document" : std::to_string(from) + ":" + std::to_string(to));
}

ConvertOutcome ConvertToLogical(std::string_view input, const std::string& strInputName, const ConvertOptions& options) {
    std::u32string visual;
    std::string reason;
    if (!DecodeInput(input, options.eEncoding, visual, reason)) return Failure(strInputName, reason);
    if (visual.empty()) return ConvertOutcome{0, {}, strInputName + ": the text is empty; nothing to convert"};
    std::u32string logical;
    logical.reserve(visual.size());
    VisualToLogical(visual, logical);
    ConvertOutcome outcome;
    if (!EncodeOutput(logical, options.eEncoding, outcome.strOutput, reason)) return Failure(strInputName, reason);
    return outcome;
}

}  // namespace

ConvertOutcome RunConversion(std::string input, const std::string& strInputName, const ConvertOptions& options) {
    if (options.eMode == ConvertMode::ToLogical) return ConvertToLogical(input, strInputName, options);

    TextModel model;
    std::string reason;
    if (!BuildDocument(input, options, model, reason)) return Failure(strInputName, reason);
    std::string().swap(input);

    ConvertOutcome outcome;
    if (options.eMode == ConvertMode::DumpJson) {
        outcome.strOutput = DumpModelJson(model);
        return outcome;
    }
    std::u32string text;
    if (options.eMode == ConvertMode::Text) {
        text = model.Text();
    } else {
        if (model.Length() == 0) return ConvertOutcome{0, {}, strInputName + ": the document is empty; nothing to convert"};
        model.LayOut(options.nWrapColumns);
        outcome.strMessage = ApplySelection(options, model, strInputName);
        // The output is encoded as the conversion goes, so a large document's output is never
        // held whole as characters.
        COutputEncoder encoder(options.eEncoding, outcome.strOutput);
        // Room for the whole output up front: pages that stay unwritten cost nothing. Where
        // address space is limited (ulimit -v) they do count, and the output grows as it goes.
        try {
            outcome.strOutput.reserve(static_cast<size_t>(model.Length()) * 6 + (1 << 20));
        } catch (const std::bad_alloc&) {
        }
        CConversionEngine engine;
        engine.SetOutputSink([&encoder](std::u32string_view part) { encoder.Add(part); });
        CUnicodeLineOrder unicodeOrder;
        if (options.eOrder == LineOrderRule::Unicode) engine.SetLineOrder(&unicodeOrder);
        if (options.ePage == PageKind::Logical) engine.SetLineFrame(U"<BDO DIR=LTR>", U"</BDO>");
        if (options.eMode == ConvertMode::Html) {
            engine.CopyToHtml(model, options.nLineLength);
        } else {
            engine.NonstyledText(model, options.nLineLength);
        }
        if (encoder.Failed()) return Failure(strInputName, encoder.Reason());
        return outcome;
    }
    if (!EncodeOutput(text, options.eEncoding, outcome.strOutput, reason)) return Failure(strInputName, reason);
    return outcome;
}

}  // namespace velmora
