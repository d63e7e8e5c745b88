// libFuzzer target for the RTF reader: any bytes must be read or refused with a reason, never
// crash, hang or trip a sanitizer; and whatever was read must survive a write and a second read.
// The same bytes also pick a run of RTF tokens that is read twice: nested just inside the
// document, and past the depth the reader keeps a state for; both readings must agree. And they
// are read once more as they would arrive from a pipe, in blocks of a size they pick: the same.

#include "RtfReader.h"
#include "RtfWriter.h"
#include "TextModelSink.h"

#include <algorithm>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool SameModel(const velmora::TextModel& a, const velmora::TextModel& b) {
    if (a.Text() != b.Text() || a.ParagraphCount() != b.ParagraphCount()) return false;
    for (int32_t pos = 0; pos < a.Length(); ++pos) {
        if (!(a.FormatAt(pos) == b.FormatAt(pos))) return false;
    }
    for (size_t i = 0; i < a.ParagraphCount(); ++i) {
        const velmora::Paragraph& pa = a.ParagraphAt(i);
        const velmora::Paragraph& pb = b.ParagraphAt(i);
        if (pa.nStart != pb.nStart || pa.wAlignment != pb.wAlignment || pa.bRtl != pb.bRtl) return false;
    }
    return true;
}

// Groups, formats, destinations, hidden text, tables and characters: everything a group must
// restore or skip when it closes.
// clang-format off
constexpr std::string_view kTokens[] = {
    "{", "}", "}", "\\b ", "\\b0 ", "\\i ", "\\ul ", "\\v ", "\\v0 ", "\\plain ", "\\*\\x ", "\\fonttbl ",
    "{\\fonttbl{\\f1\\fcharset0 A;}}", "\\f1 ", "\\f5 ", "\\qc ", "\\qr ", "\\rtlpar ", "\\pard ", "\\par ",
    "\\line ", "\\uc0 ", "\\uc2 ", "\\u1488 ", "\\u-10179 ", "x", "yz", "\\'e0", "\\cf1 ", "\\fs40 ",
    "{\\colortbl;\\red9\\green0\\blue0;}", "\\ab\\rtlch ", "\\ltrch ", "\\~", "\\pict ", "\\ansicpg1251 ", "\\tab ",
};
// clang-format on
constexpr std::string_view kHeader = "{\\rtf1\\ansi\\ansicpg1255{\\fonttbl{\\f0\\fcharset177 David;}}";
constexpr std::string_view kAfter = "{\\b x}y{\\*\\secret d}{\\v h}z}";

// A balanced run of tokens chosen by the bytes.
std::string TokensOf(std::string_view bytes) {
    std::string body;
    size_t nOpen = 0;
    for (const char ch : bytes.substr(0, 1024)) {
        const std::string_view token = kTokens[static_cast<unsigned char>(ch) % std::size(kTokens)];
        if (token == "}") {
            if (nOpen == 0) continue;
            --nOpen;
        } else if (token == "{") {
            ++nOpen;
        }
        body += token;
    }
    return body + std::string(nOpen, '}');
}

velmora::TextModel ReadOrAbort(const std::string& rtf) {
    velmora::TextModel model;
    if (!velmora::ReadRtf(rtf, model).bOk) std::abort();
    return model;
}

void CheckDepthRule(std::string_view bytes) {
    const std::string body = TokensOf(bytes);
    const size_t nDeep = velmora::kMaxRtfGroupDepth;
    const velmora::TextModel shallow = ReadOrAbort(std::string(kHeader) + "{" + body + "}" + std::string(kAfter));
    const velmora::TextModel deep = ReadOrAbort(std::string(kHeader) + std::string(nDeep, '{') + body +
                                                std::string(nDeep, '}') + std::string(kAfter));
    if (!SameModel(shallow, deep)) std::abort();
}

// Hands its bytes over nBlock at a time, whatever is asked for.
class CTrickleInput final : public velmora::IRtfGrowingInput {
public:
    CTrickleInput(std::string_view bytes, size_t nBlock) : m_bytes(bytes), m_nBlock(nBlock) {}
    std::string_view Extend(size_t nWanted) override {
        if (m_nShown < nWanted) m_nShown = std::min(m_bytes.size(), m_nShown + m_nBlock);
        return m_bytes.substr(0, m_nShown);
    }
    bool Ended() const override { return m_nShown == m_bytes.size(); }

private:
    std::string_view m_bytes;
    size_t m_nBlock;
    size_t m_nShown = 0;
};

void CheckArriving(std::string_view bytes, const velmora::TextModel& whole, const velmora::RtfReadResult& result) {
    // Small blocks for a short input; for a long one, a few dozen cuts (a token cut n times is read n times).
    const size_t nBlock = bytes.empty() ? 1 : static_cast<unsigned char>(bytes.back()) % 67 + 1;
    CTrickleInput input(bytes, std::max(nBlock, bytes.size() / 64));
    velmora::TextModel model;
    velmora::CTextModelSink sink(model);
    const velmora::RtfReadResult arriving = velmora::ReadRtf(input, sink);
    if (arriving.bOk != result.bOk || arriving.strError != result.strError ||
        arriving.bLastBraceMissing != result.bLastBraceMissing || arriving.strCutShort != result.strCutShort ||
        !SameModel(model, whole))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckDepthRule(bytes);
    velmora::TextModel model;
    const velmora::RtfReadResult result = velmora::ReadRtf(bytes, model);
    CheckArriving(bytes, model, result);
    if (!result.bOk) {
        if (result.strError.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    if (velmora::LooksLikeRtf(bytes) == false) std::abort();
    const std::string written = velmora::WriteRtf(model);
    velmora::TextModel again;
    if (!velmora::ReadRtf(written, again).bOk) std::abort();
    if (!SameModel(model, again)) std::abort();
    return 0;
}
