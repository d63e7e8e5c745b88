#include "RtfWriter.h"

#include "CodePage1255.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace velmora {

namespace {

constexpr int kHebrewFont = 0;
constexpr int kLatinFont = 1;

// What the reader of the written file has in effect, so that only changes are written.
struct WrittenFormat {
    int nFont = kHebrewFont;  // \deff0
    bool bBold = false;
    bool bItalic = false;
    bool bUnderline = false;
    bool bStrike = false;
    int nColor = 0;
    int nHalfPoints = 24;
    bool bRtlRun = false;  // \rtlch (a run in the Hebrew font) rather than \ltrch
};

class CRtfWriter {
public:
    explicit CRtfWriter(const TextModel& model) : m_model(model) {}

    std::string Write();

private:
    void CollectFontsAndColors();
    void WriteHeader();
    void WriteParagraph(size_t iParagraph);
    void WriteFormat(const CharFormat& cf);
    void WriteText(std::u32string_view text);
    void WriteChar(char32_t ch);
    void WriteUnicode(char32_t ch);
    void WriteWord(std::string_view name);
    void WriteWord(std::string_view name, int64_t nParam);
    void WriteLiteral(char c);

    const TextModel& m_model;
    std::string m_out;
    bool m_bAfterWord = false;  // the last thing written was a control word without delimiter
    WrittenFormat m_written;
    std::array<int, 256> m_fontOfCharset{};  // -1: the set is not used
    std::vector<uint8_t> m_extraCharsets;    // sets beyond Hebrew and ANSI, fonts 2, 3, ...
    std::unordered_map<uint32_t, int> m_colorIndex;
    std::vector<uint32_t> m_colors;  // table entries from index 1
};

std::string CRtfWriter::Write() {
    CollectFontsAndColors();
    m_out.reserve(static_cast<size_t>(m_model.Length()) * 2 + 512);
    WriteHeader();
    for (size_t i = 0; i < m_model.ParagraphCount(); ++i) WriteParagraph(i);
    m_out += "}\r\n";
    return std::move(m_out);
}

void CRtfWriter::CollectFontsAndColors() {
    m_fontOfCharset.fill(-1);
    m_fontOfCharset[HEBREW_CHARSET] = kHebrewFont;
    m_fontOfCharset[ANSI_CHARSET] = kLatinFont;
    for (int32_t pos = 0; pos < m_model.Length(); pos = m_model.FormatRunEnd(pos)) {
        const CharFormat& cf = m_model.FormatAt(pos);
        if (m_fontOfCharset[cf.bCharSet] < 0) {
            m_fontOfCharset[cf.bCharSet] = static_cast<int>(2 + m_extraCharsets.size());
            m_extraCharsets.push_back(cf.bCharSet);
        }
        if (!cf.IsAutoColor() && m_colorIndex.emplace(cf.crTextColor, static_cast<int>(m_colors.size()) + 1).second)
            m_colors.push_back(cf.crTextColor);
    }
}

void CRtfWriter::WriteHeader() {
    m_out +=
        "{\\rtf1\\ansi\\ansicpg1255\\deff0\\uc1\r\n{\\fonttbl"
        "{\\f0\\fnil\\fcharset177 David;}{\\f1\\fswiss\\fcharset0 Arial;}";
    for (size_t i = 0; i < m_extraCharsets.size(); ++i) {
        m_out += "{\\f" + std::to_string(2 + i) + "\\fnil\\fcharset" + std::to_string(m_extraCharsets[i]) + " Arial;}";
    }
    m_out += "}\r\n{\\colortbl ;";  // entry 0 is automatic
    for (uint32_t cr : m_colors) {
        m_out += "\\red" + std::to_string(cr & 0xFF) + "\\green" + std::to_string((cr >> 8) & 0xFF) + "\\blue" +
                 std::to_string((cr >> 16) & 0xFF) + ";";
    }
    m_out += "}\r\n{\\*\\generator Velmora 2.0;}\r\n";
}

void CRtfWriter::WriteParagraph(size_t iParagraph) {
    const Paragraph& para = m_model.ParagraphAt(iParagraph);
    const bool bLast = iParagraph + 1 == m_model.ParagraphCount();
    const int32_t nEnd = m_model.ParagraphEnd(iParagraph);
    const int32_t nTextEnd = bLast ? nEnd : nEnd - 2;  // without the CR LF

    WriteWord("pard");
    switch (para.wAlignment) {
    case PFA_RIGHT: WriteWord("qr"); break;
    case PFA_CENTER: WriteWord("qc"); break;
    case PFA_JUSTIFY: WriteWord("qj"); break;
    default: WriteWord("ql"); break;
    }
    WriteWord(para.bRtl ? "rtlpar" : "ltrpar");

    const std::u32string_view text(m_model.Text());
    int32_t pos = para.nStart;
    while (pos < nTextEnd) {
        const int32_t nRunEnd = std::min(m_model.FormatRunEnd(pos), nTextEnd);
        WriteFormat(m_model.FormatAt(pos));
        WriteText(text.substr(static_cast<size_t>(pos), static_cast<size_t>(nRunEnd - pos)));
        pos = nRunEnd;
    }
    if (!bLast) WriteFormat(m_model.FormatAt(nTextEnd));  // the format of the CR LF
    WriteWord("par");
    m_out += "\r\n";
    m_bAfterWord = false;
}

// Font, bold, italic and size exist twice in RTF: for left-to-right text and, as the associated
// properties, for right-to-left text. Peers pick one set by the \ltrch or \rtlch in effect, so
// both are written, each after its own word, and the run's own direction comes last.
void CRtfWriter::WriteFormat(const CharFormat& cf) {
    WrittenFormat next = m_written;
    next.nFont = m_fontOfCharset[cf.bCharSet];
    next.bBold = cf.IsBold();
    next.bItalic = cf.IsItalic();
    next.nHalfPoints = std::max(1, (cf.yHeight + 5) / 10);
    next.bRtlRun = cf.bCharSet == HEBREW_CHARSET;
    const bool bFont = next.nFont != m_written.nFont;
    const bool bBold = next.bBold != m_written.bBold;
    const bool bItalic = next.bItalic != m_written.bItalic;
    const bool bSize = next.nHalfPoints != m_written.nHalfPoints;

    auto writeScriptWords = [&](bool bAssociated) {
        if (bFont) WriteWord(bAssociated ? "af" : "f", next.nFont);
        if (bBold) WriteWord(bAssociated ? (next.bBold ? "ab" : "ab0") : (next.bBold ? "b" : "b0"));
        if (bItalic) WriteWord(bAssociated ? (next.bItalic ? "ai" : "ai0") : (next.bItalic ? "i" : "i0"));
        if (bSize) WriteWord(bAssociated ? "afs" : "fs", next.nHalfPoints);
    };
    if (bFont || bBold || bItalic || bSize) {
        WriteWord(next.bRtlRun ? "ltrch" : "rtlch");
        writeScriptWords(!next.bRtlRun);
        WriteWord(next.bRtlRun ? "rtlch" : "ltrch");
        writeScriptWords(next.bRtlRun);
    } else if (next.bRtlRun != m_written.bRtlRun) {
        WriteWord(next.bRtlRun ? "rtlch" : "ltrch");
    }

    if (cf.IsUnderline() != m_written.bUnderline) {
        next.bUnderline = cf.IsUnderline();
        WriteWord(next.bUnderline ? "ul" : "ulnone");
    }
    if (cf.IsStrikeout() != m_written.bStrike) {
        next.bStrike = cf.IsStrikeout();
        WriteWord(next.bStrike ? "strike" : "strike0");
    }
    // Every colour of the model is in the table (CollectFontsAndColors saw every run).
    const auto itColor = cf.IsAutoColor() ? m_colorIndex.end() : m_colorIndex.find(cf.crTextColor);
    next.nColor = itColor != m_colorIndex.end() ? itColor->second : 0;
    if (next.nColor != m_written.nColor) WriteWord("cf", next.nColor);
    m_written = next;
}

void CRtfWriter::WriteText(std::u32string_view text) {
    for (char32_t ch : text) WriteChar(ch);
}

void CRtfWriter::WriteChar(char32_t ch) {
    switch (ch) {
    case U'\\':
    case U'{':
    case U'}':
        m_out += '\\';
        m_out += static_cast<char>(ch);
        m_bAfterWord = false;
        return;
    case U'\t': WriteWord("tab"); return;
    case U'\0': return;
    default: break;
    }
    if (ch >= 0x20 && ch < 0x7F) {
        WriteLiteral(static_cast<char>(ch));
        return;
    }
    if (ch >= 0x80 && m_written.nFont == kHebrewFont) {
        const int nByte = EncodeCp1255Char(ch);
        if (nByte >= 0) {
            static constexpr char kHex[] = "0123456789abcdef";
            m_out += "\\'";
            m_out += kHex[nByte >> 4];
            m_out += kHex[nByte & 0xF];
            m_bAfterWord = false;
            return;
        }
    }
    WriteUnicode(ch);
}

// \uN takes a signed 16-bit number; a character beyond the BMP is a surrogate pair.
void CRtfWriter::WriteUnicode(char32_t ch) {
    auto writeUnit = [this](uint32_t unit) {
        WriteWord("u", unit > 0x7FFF ? static_cast<int64_t>(unit) - 0x10000 : static_cast<int64_t>(unit));
        m_out += '?';
        m_bAfterWord = false;
    };
    if (ch > 0x10FFFF) ch = U'\uFFFD';
    if (ch >= 0x10000) {
        writeUnit(0xD800 + ((ch - 0x10000) >> 10));
        writeUnit(0xDC00 + ((ch - 0x10000) & 0x3FF));
    } else {
        writeUnit(ch);
    }
}

void CRtfWriter::WriteWord(std::string_view name) {
    m_out += '\\';
    m_out += name;
    m_bAfterWord = true;
}

void CRtfWriter::WriteWord(std::string_view name, int64_t nParam) {
    WriteWord(name);
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, nParam);
    m_out.append(buffer, result.ptr);
}

void CRtfWriter::WriteLiteral(char c) {
    if (m_bAfterWord) m_out += ' ';  // ends the control word; readers drop it
    m_out += c;
    m_bAfterWord = false;
}

}  // namespace

std::string WriteRtf(const TextModel& model) {
    CRtfWriter writer(model);
    return writer.Write();
}

}  // namespace velmora
