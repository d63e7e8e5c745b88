#include "ModelText.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace velmora::test {

std::u32string FromUtf8(std::string_view utf8) {
    std::u32string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<uint8_t>(utf8[i]);
        const int nExtra = b < 0x80 ? 0 : b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
        char32_t ch = nExtra == 0 ? b : nExtra == 1 ? (b & 0x1F) : nExtra == 2 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k <= nExtra && i + static_cast<size_t>(k) < utf8.size(); ++k)
            ch = (ch << 6) | (static_cast<uint8_t>(utf8[i + static_cast<size_t>(k)]) & 0x3F);
        out.push_back(ch);
        i += static_cast<size_t>(nExtra) + 1;
    }
    return out;
}

std::string ToUtf8(std::u32string_view text) {
    std::string out;
    for (char32_t ch : text) {
        if (ch < 0x80) {
            out += static_cast<char>(ch);
        } else if (ch < 0x800) {
            out += static_cast<char>(0xC0 | (ch >> 6));
            out += static_cast<char>(0x80 | (ch & 0x3F));
        } else if (ch < 0x10000) {
            out += static_cast<char>(0xE0 | (ch >> 12));
            out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (ch & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (ch >> 18));
            out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (ch & 0x3F));
        }
    }
    return out;
}

namespace {

std::string Attributes(const CharFormat& cf) {
    std::string out;
    auto add = [&out](const std::string& s) {
        if (!out.empty()) out += ' ';
        out += s;
    };
    if (cf.IsBold()) add("b");
    if (cf.IsItalic()) add("i");
    if (cf.IsUnderline()) add("u");
    if (cf.IsStrikeout()) add("s");
    if (!cf.IsAutoColor()) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", cf.crTextColor & 0xFF, (cf.crTextColor >> 8) & 0xFF,
                      (cf.crTextColor >> 16) & 0xFF);
        add(buffer);
    }
    if (cf.yHeight != 240) add("h" + std::to_string(cf.yHeight));
    if (cf.bCharSet != 177) add("c" + std::to_string(cf.bCharSet));
    return out;
}

char AlignLetter(uint16_t wAlignment) {
    switch (wAlignment) {
    case PFA_RIGHT: return 'R';
    case PFA_CENTER: return 'C';
    case PFA_JUSTIFY: return 'J';
    default: return 'L';
    }
}

}  // namespace

std::string DumpModel(const TextModel& model) {
    std::string out;
    for (size_t i = 0; i < model.ParagraphCount(); ++i) {
        const Paragraph& para = model.ParagraphAt(i);
        if (i > 0) out += '\n';
        out += AlignLetter(para.wAlignment);
        if (para.bRtl) out += '<';
        out += '|';
        const int32_t nEnd = i + 1 < model.ParagraphCount() ? model.ParagraphEnd(i) - 2 : model.ParagraphEnd(i);
        int32_t pos = para.nStart;
        while (pos < nEnd) {
            const uint32_t id = model.FormatIdAt(pos);
            int32_t nRunEnd = pos + 1;
            while (nRunEnd < nEnd && model.FormatById(model.FormatIdAt(nRunEnd)) == model.FormatById(id)) ++nRunEnd;
            out += '[' + Attributes(model.FormatById(id)) + ':' +
                   ToUtf8(std::u32string_view(model.Text())
                              .substr(static_cast<size_t>(pos), static_cast<size_t>(nRunEnd - pos))) +
                   ']';
            pos = nRunEnd;
        }
    }
    return out;
}

std::string CompareModels(const TextModel& a, const TextModel& b) {
    std::ostringstream out;
    if (a.Text() != b.Text()) {
        size_t i = 0;
        while (i < a.Text().size() && i < b.Text().size() && a.Text()[i] == b.Text()[i]) ++i;
        out << "text differs at " << i << ": lengths " << a.Length() << " and " << b.Length();
        return out.str();
    }
    for (int32_t pos = 0; pos < a.Length(); ++pos) {
        if (!(a.FormatAt(pos) == b.FormatAt(pos))) {
            out << "format differs at " << pos << ": [" << Attributes(a.FormatAt(pos)) << "] and ["
                << Attributes(b.FormatAt(pos)) << "]";
            return out.str();
        }
    }
    if (a.ParagraphCount() != b.ParagraphCount()) {
        out << "paragraph counts " << a.ParagraphCount() << " and " << b.ParagraphCount();
        return out.str();
    }
    for (size_t i = 0; i < a.ParagraphCount(); ++i) {
        const Paragraph& pa = a.ParagraphAt(i);
        const Paragraph& pb = b.ParagraphAt(i);
        if (pa.nStart != pb.nStart || pa.wAlignment != pb.wAlignment || pa.bRtl != pb.bRtl) {
            out << "paragraph " << i << " differs: start " << pa.nStart << "/" << pb.nStart << ", alignment "
                << pa.wAlignment << "/" << pb.wAlignment << ", rtl " << pa.bRtl << "/" << pb.bRtl;
            return out.str();
        }
    }
    return {};
}

std::filesystem::path TestDataDir() {
    const std::filesystem::path dir(VELMORA_TESTDATA_DIR);
    std::error_code ec;
    return std::filesystem::is_directory(dir, ec) ? dir : std::filesystem::path();
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

}  // namespace velmora::test
