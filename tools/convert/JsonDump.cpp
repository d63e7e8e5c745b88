#include "JsonDump.h"

#include "Utf8.h"

#include <algorithm>
#include <cstdio>

namespace velmora {

namespace {

const char* AlignName(uint16_t wAlignment) {
    switch (wAlignment) {
    case PFA_RIGHT: return "right";
    case PFA_CENTER: return "center";
    case PFA_JUSTIFY: return "justify";
    default: return "left";
    }
}

void AppendJsonString(std::string& out, std::u32string_view text) {
    out += '"';
    for (char32_t ch : text) {
        switch (ch) {
        case U'"': out += "\\\""; break;
        case U'\\': out += "\\\\"; break;
        case U'\n': out += "\\n"; break;
        case U'\r': out += "\\r"; break;
        case U'\t': out += "\\t"; break;
        default:
            if (ch < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(ch));
                out += escaped;
            } else {
                AppendUtf8(out, ch);
            }
        }
    }
    out += '"';
}

std::string ColorText(const CharFormat& cf) {
    if (cf.IsAutoColor()) return "auto";
    char digits[8];
    std::snprintf(digits, sizeof digits, "#%02x%02x%02x", cf.crTextColor & 0xFF, (cf.crTextColor >> 8) & 0xFF,
                  (cf.crTextColor >> 16) & 0xFF);
    return digits;
}

void AppendRun(std::string& out, std::u32string_view text, const CharFormat& cf) {
    auto flag = [](bool b) { return b ? "true" : "false"; };
    out += "{\"text\":";
    AppendJsonString(out, text);
    out += std::string(",\"bold\":") + flag(cf.IsBold()) + ",\"italic\":" + flag(cf.IsItalic()) +
           ",\"underline\":" + flag(cf.IsUnderline()) + ",\"strike\":" + flag(cf.IsStrikeout()) + ",\"color\":\"" +
           ColorText(cf) + "\",\"size\":" + std::to_string(cf.yHeight) + ",\"charset\":" + std::to_string(cf.bCharSet) +
           "}";
}

}  // namespace

std::string DumpModelJson(const TextModel& model) {
    std::string out = "{\"paragraphs\":[";
    const std::u32string_view text = model.Text();
    for (size_t i = 0; i < model.ParagraphCount(); ++i) {
        const Paragraph& para = model.ParagraphAt(i);
        const bool bLast = i + 1 == model.ParagraphCount();
        const int32_t nEnd = bLast ? model.Length() : model.ParagraphEnd(i) - 2;  // without CR LF
        if (i > 0) out += ',';
        out += std::string("{\"align\":\"") + AlignName(para.wAlignment) + "\",\"runs\":[";
        for (int32_t q = para.nStart; q < nEnd;) {
            const int32_t nRunEnd = std::min(model.FormatRunEnd(q), nEnd);
            if (q > para.nStart) out += ',';
            AppendRun(out, text.substr(static_cast<size_t>(q), static_cast<size_t>(nRunEnd - q)), model.FormatAt(q));
            q = nRunEnd;
        }
        out += "]}";
    }
    out += "]}";
    return out;
}

}  // namespace velmora
