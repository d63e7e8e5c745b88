// libFuzzer target for the RTF reader: any bytes must be read or refused with a reason, never
// crash, hang or trip a sanitizer; and whatever was read must survive a write and a second read.

#include "RtfReader.h"
#include "RtfWriter.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    velmora::TextModel model;
    const velmora::RtfReadResult result = velmora::ReadRtf(bytes, model);
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
