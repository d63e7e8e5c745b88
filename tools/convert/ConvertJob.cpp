#include "ConvertJob.h"

#include "CodePage1255.h"
#include "ConversionEngine.h"
#include "GrowingInput.h"
#include "JsonDump.h"
#include "OtherFileFormats.h"
#include "PlainTextDocument.h"
#include "RtfReader.h"
#include "RtfSink.h"
#include "StreamingConversion.h"
#include "TextModel.h"
#include "UnicodeLineOrder.h"
#include "Utf8.h"
#include "VisualToLogical.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <optional>
#include <vector>

namespace velmora {

namespace {

ConvertOutcome Failure(const std::string& strInputName, const std::string& reason) {
    return ConvertOutcome{1, {}, strInputName + ": " + reason};
}

// A note for standard error on a document whose file was cut short, else nothing.
std::string CutShortNote(const RtfReadResult& result, const std::string& strInputName) {
    if (result.strCutShort.empty()) return {};
    return strInputName + ": " + result.strCutShort +
           ", so it may have been cut short; what it holds up to there is converted";
}

void AddNote(ConvertOutcome& outcome, const std::string& strNote) {
    if (strNote.empty()) return;
    if (!outcome.strMessage.empty()) outcome.strMessage += '\n';
    outcome.strMessage += strNote;
}

std::string HexCodePoint(char32_t ch) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(ch));
    return text;
}

// Why input that is not RTF cannot be read as text; head holds its first bytes.
std::string BadTextReason(TextEncoding eEncoding, size_t nBad, std::string_view head) {
    // Either encoding's advice would send the user on to the other one.
    if (StartsAsUtf16(head)) return "the text is UTF-16; make it UTF-8 first (iconv -f utf-16 -t utf-8)";
    const std::string_view format = OtherFileFormat(head);
    if (!format.empty()) return "not RTF or plain text; it is " + std::string(format);
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
    reason = BadTextReason(eEncoding, nBad, input);
    return false;
}

// Encodes text, which stands at character nOffset of the whole output, onto the end of bytes.
bool AppendEncoded(std::u32string_view text, size_t nOffset, TextEncoding eEncoding, std::string& bytes,
                   std::string& reason) {
    if (eEncoding == TextEncoding::Utf8) {
        for (char32_t ch : text) AppendUtf8(bytes, ch);
        return true;
    }
    size_t nBad = 0;
    if (AppendCp1255(text, bytes, nBad)) return true;
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

// Reads the document into model; on success note may say how its file ended.
bool BuildDocument(std::string_view input, const ConvertOptions& options, const std::string& strInputName,
                   TextModel& model, std::string& reason, std::string& note) {
    if (LooksLikeRtf(input)) {
        const RtfReadResult result = ReadRtf(input, model);
        if (!result.bOk) reason = result.strError;
        note = CutShortNote(result, strInputName);
        return result.bOk;
    }
    size_t nBad = 0;
    if (LoadPlainTextBytes(input, options.eEncoding, model, nBad)) return true;
    reason = BadTextReason(options.eEncoding, nBad, input);
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

ConvertOutcome ConvertToLogical(std::string_view input, const std::string& strInputName,
                                const ConvertOptions& options) {
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
    std::string note;
    if (!BuildDocument(input, options, strInputName, model, reason, note)) return Failure(strInputName, reason);
    std::string().swap(input);

    ConvertOutcome outcome;
    AddNote(outcome, note);
    if (options.eMode == ConvertMode::DumpJson) {
        outcome.strOutput = DumpModelJson(model);
        return outcome;
    }
    std::u32string text;
    if (options.eMode == ConvertMode::Text) {
        text = model.Text();
    } else {
        if (model.Length() == 0) {
            AddNote(outcome, strInputName + ": the document is empty; nothing to convert");
            return outcome;
        }
        model.LayOut(options.nWrapColumns);
        AddNote(outcome, ApplySelection(options, model, strInputName));
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

namespace {

// Bytes handed to the writer at a time once writing has begun.
constexpr size_t kWriteBytes = size_t{1} << 18;

// Gathers encoded output and hands it to the writer: nothing until kHeldOutputBytes have
// gathered or the output is complete, then a block at a time. After a failed write it only
// drops what comes.
class COutputFlow {
public:
    explicit COutputFlow(const OutputWriter& fnWrite) : m_fnWrite(fnWrite) {
        m_bytes.reserve(kHeldOutputBytes + kWriteBytes);  // spares regrowth; unwritten pages cost nothing
    }

    std::string& Bytes() { return m_bytes; }
    void Pass() {
        if (m_bytes.size() >= (m_bWriting ? kWriteBytes : kHeldOutputBytes)) Write();
    }
    // Writes the rest; false when any write failed.
    bool Finish() {
        Write();
        return !m_bFailed;
    }

private:
    void Write() {
        m_bWriting = true;
        if (!m_bFailed && !m_bytes.empty()) m_bFailed = !m_fnWrite(m_bytes);
        m_bytes.clear();
    }

    const OutputWriter& m_fnWrite;
    std::string m_bytes;
    bool m_bWriting = false;
    bool m_bFailed = false;
};

// Hands what the RTF reader reads to a streamed conversion.
class CStreamingRtfSink final : public IRtfSink {
public:
    // pMapped: the source whose mapping the reader reads, or null; pGrowing: the input it reads
    // as it arrives, or null.
    CStreamingRtfSink(CStreamingConversion& stream, IInputSource* pMapped, CGrowingInput* pGrowing = nullptr)
        : m_stream(stream), m_pMapped(pMapped), m_pGrowing(pGrowing) {}

    void SetParagraphFormat(uint16_t wAlignment, bool bRtl) override {
        m_stream.Document().SetParagraphAlignment(wAlignment);
        m_stream.Document().SetParagraphRtl(bRtl);
    }
    void AppendText(std::u32string_view text, const CharFormat& cf) override { m_stream.Document().Append(text, cf); }
    void EndParagraph(const CharFormat& cfBreak) override { m_stream.EndParagraph(cfBreak); }
    void InputReadTo(size_t nBytes) override {
        if (m_pMapped != nullptr) m_pMapped->MappedReadTo(nBytes);
        if (m_pGrowing != nullptr) m_pGrowing->ReleaseBefore(nBytes);
    }

private:
    CStreamingConversion& m_stream;
    IInputSource* m_pMapped;
    CGrowingInput* m_pGrowing;
};

// True once the first bytes of the input tell RTF from plain text: the first byte that is not
// a byte-order mark, a blank, a tab or a line end, and the four after it, are there. nScanned
// keeps how far the blanks have been passed, so that a long run of them is looked at once.
bool InputKindKnown(std::string_view head, size_t& nScanned) {
    if (head.size() < kUtf8Bom.size() && kUtf8Bom.starts_with(head)) return false;
    if (nScanned == 0 && head.starts_with(kUtf8Bom)) nScanned = kUtf8Bom.size();
    while (nScanned < head.size() &&
           (head[nScanned] == ' ' || head[nScanned] == '\t' || head[nScanned] == '\r' || head[nScanned] == '\n'))
        ++nScanned;
    return head.size() >= nScanned + 5;
}

bool ModeStreams(const ConvertOptions& options) {
    return (options.eMode == ConvertMode::Html || options.eMode == ConvertMode::Plain) && !options.bHasSelection;
}

// Nonstyled text of Windows-1255 plain text in the engine's own order comes out in Windows-1255
// as well: the text is read, converted and written as bytes, never widened to 32-bit
// characters, and no character of it can fail to encode.
bool ConvertsAsCp1255Text(const ConvertOptions& options) {
    return options.eEncoding == TextEncoding::Cp1255 && options.eMode == ConvertMode::Plain &&
           options.eOrder == LineOrderRule::Velmora;
}

}  // namespace

ConvertOutcome RunStreamingConversion(IInputSource& source, const std::string& strInputName,
                                      const ConvertOptions& options, const OutputWriter& fnWrite,
                                      int32_t nWindowChars) {
    std::string input;
    std::string error;
    // Left unfilled: the reads write it, and pages never written cost nothing.
    std::unique_ptr<char[]> block(new char[kInputBlockBytes]);
    std::string_view lastBlock;
    bool bEnded = false;
    // Reads the next block into block (lastBlock); false on a read error.
    auto readNextBlock = [&]() {
        const std::ptrdiff_t nRead = source.Read(block.get(), kInputBlockBytes, error);
        if (nRead < 0) return false;
        if (nRead == 0) bEnded = true;
        lastBlock = std::string_view(block.get(), static_cast<size_t>(nRead));
        return true;
    };
    // Reads the next block onto input.
    auto readBlock = [&]() {
        if (!readNextBlock()) return false;
        input.append(lastBlock);
        return true;
    };
    auto readFailure = [&]() { return Failure(strInputName, error.empty() ? "cannot be read" : error); };
    const bool bStreams = ModeStreams(options);
    size_t nScanned = 0;
    while (!bEnded && !(bStreams && InputKindKnown(input, nScanned))) {
        if (!readBlock()) return readFailure();
    }
    // The RTF reader takes a file mapped whole, a pipe as it arrives (its document is converted a
    // window at a time either way); the other modes read the input whole.
    std::string_view whole;
    std::optional<CGrowingInput> growing;
    if (!bStreams || LooksLikeRtf(input)) {
        // A mode that reads the input whole takes a copy of it: mapping it as well would only
        // add to the memory.
        if (bStreams) whole = source.MapWhole();
        if (bStreams && whole.empty() && !bEnded) {
            growing.emplace(source);
            if (growing->Begin(input)) {
                std::string().swap(input);
            } else {
                growing.reset();
            }
        }
        while (whole.empty() && !growing && !bEnded) {
            if (!readBlock()) return readFailure();
        }
        if (whole.empty() && !growing) whole = input;
        block.reset();
    }
    if (!bStreams) {
        ConvertOutcome outcome =
            RunConversion(whole.data() == input.data() ? std::move(input) : std::string(whole), strInputName, options);
        if (outcome.nExitCode == 0 && !fnWrite(outcome.strOutput)) outcome.bOutputFailed = true;
        outcome.strOutput.clear();
        return outcome;
    }

    COutputFlow flow(fnWrite);
    COutputEncoder encoder(options.eEncoding, flow.Bytes());
    CConversionEngine engine;
    CUnicodeLineOrder unicodeOrder;
    if (options.eOrder == LineOrderRule::Unicode) engine.SetLineOrder(&unicodeOrder);
    if (options.ePage == PageKind::Logical) engine.SetLineFrame(U"<BDO DIR=LTR>", U"</BDO>");
    const bool bHtml = options.eMode == ConvertMode::Html;
    const int32_t nWindow = nWindowChars > 0 ? nWindowChars : CStreamingConversion::kWindowChars;
    // Feeds the plain text to reader a block at a time: what was read to tell the kind of input,
    // then each block as it is read. Returns the failure, if any.
    auto readPlainText = [&](auto& reader) -> std::optional<ConvertOutcome> {
        const std::string head = input.substr(0, 16);
        auto badText = [&](size_t nBad) { return Failure(strInputName, BadTextReason(options.eEncoding, nBad, head)); };
        size_t nBad = 0;
        if (!reader.Feed(input, nBad)) return badText(nBad);
        std::string().swap(input);
        while (!bEnded) {
            if (!readNextBlock()) return readFailure();
            if (!reader.Feed(lastBlock, nBad)) return badText(nBad);
        }
        if (!reader.Finish(nBad)) return badText(nBad);
        return std::nullopt;
    };
    std::string note;  // how an RTF file ended, if it was cut short
    auto finish = [&](auto& stream) {
        ConvertOutcome outcome;
        AddNote(outcome, note);
        if (!stream.Finish()) AddNote(outcome, strInputName + ": the document is empty; nothing to convert");
        if (encoder.Failed()) return Failure(strInputName, encoder.Reason());
        outcome.bOutputFailed = !flow.Finish();
        return outcome;
    };
    if (whole.empty() && !growing && ConvertsAsCp1255Text(options)) {
        engine.SetCp1255OutputSink([&](std::string_view part) {
            flow.Bytes().append(part);
            flow.Pass();
        });
        CCp1255StreamingConversion stream(engine, false, options.nLineLength, options.nWrapColumns, nWindow);
        CCp1255PlainTextStreamReader reader(options.eEncoding, stream);
        if (auto failure = readPlainText(reader)) return *failure;
        return finish(stream);
    }
    engine.SetOutputSink([&](std::u32string_view part) {
        encoder.Add(part);
        flow.Pass();
    });
    CStreamingConversion stream(engine, bHtml, options.nLineLength, options.nWrapColumns, nWindow);
    if (growing) {
        CStreamingRtfSink sink(stream, nullptr, &*growing);
        const RtfReadResult result = ReadRtf(*growing, sink);
        growing->Drain();
        if (growing->Failed()) return Failure(strInputName, growing->Error());
        if (!result.bOk) return Failure(strInputName, result.strError);
        note = CutShortNote(result, strInputName);
    } else if (!whole.empty()) {
        CStreamingRtfSink sink(stream, whole.data() == input.data() ? nullptr : &source);
        const RtfReadResult result = ReadRtf(whole, sink);
        if (!result.bOk) return Failure(strInputName, result.strError);
        note = CutShortNote(result, strInputName);
        std::string().swap(input);
    } else {
        CPlainTextStreamReader reader(options.eEncoding, stream);
        if (auto failure = readPlainText(reader)) return *failure;
    }
    return finish(stream);
}

}  // namespace velmora
