// A real peer reads what the writer writes: LibreOffice converts a written document to HTML, and
// the paragraphs, alignments and character formats there are the model's. Skipped when soffice
// is not installed.

#include "AtomicFile.h"
#include "ModelText.h"
#include "RtfWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>

#include <unistd.h>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

std::optional<fs::path> FindProgram(const std::string& strName) {
    const char* szPath = std::getenv("PATH");
    std::istringstream dirs(szPath ? szPath : "");
    std::string strDir;
    while (std::getline(dirs, strDir, ':')) {
        const fs::path candidate = fs::path(strDir) / strName;
        if (!strDir.empty() && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::nullopt;
}

// ------------------------------------------------------------------ a small reader of LibreOffice's HTML

struct HtmlFormat {
    std::optional<bool> bBold, bItalic, bUnderline, bStrike;
    std::optional<std::string> strColor;
    std::optional<double> dSizePt;
};

struct HtmlChar {
    char32_t ch;
    HtmlFormat format;  // resolved: outer elements first, inner ones override
};

struct HtmlParagraph {
    std::string strAlign;
    std::vector<HtmlChar> chars;  // white space collapsed to one blank, trimmed
    std::string Text() const {
        std::u32string text;
        for (const HtmlChar& hc : chars) text.push_back(hc.ch);
        return ToUtf8(text);
    }
};

std::string Attribute(const std::string& strTag, const std::string& strName) {
    const size_t nPos = strTag.find(" " + strName + "=\"");
    if (nPos == std::string::npos) return {};
    const size_t nStart = nPos + strName.size() + 3;
    return strTag.substr(nStart, strTag.find('"', nStart) - nStart);
}

HtmlFormat FormatOfTag(const std::string& strName, const std::string& strTag) {
    HtmlFormat format;
    if (strName == "b" || strName == "strong") format.bBold = true;
    if (strName == "i" || strName == "em") format.bItalic = true;
    if (strName == "u") format.bUnderline = true;
    if (strName == "strike" || strName == "s" || strName == "del") format.bStrike = true;
    if (const std::string strColor = Attribute(strTag, "color"); !strColor.empty()) format.strColor = strColor;
    const std::string strStyle = Attribute(strTag, "style");
    if (strStyle.find("font-weight: normal") != std::string::npos) format.bBold = false;
    if (strStyle.find("font-weight: bold") != std::string::npos) format.bBold = true;
    if (strStyle.find("font-style: normal") != std::string::npos) format.bItalic = false;
    if (strStyle.find("font-style: italic") != std::string::npos) format.bItalic = true;
    // Decorations add up in CSS: an inner "text-decoration: none" takes none away.
    if (strStyle.find("text-decoration: underline") != std::string::npos) format.bUnderline = true;
    if (strStyle.find("line-through") != std::string::npos) format.bStrike = true;
    if (const size_t nSize = strStyle.find("font-size: "); nSize != std::string::npos)
        format.dSizePt = std::atof(strStyle.c_str() + nSize + 11);
    return format;
}

void Overlay(HtmlFormat& format, const HtmlFormat& inner) {
    if (inner.bBold) format.bBold = inner.bBold;
    if (inner.bItalic) format.bItalic = inner.bItalic;
    if (inner.bUnderline) format.bUnderline = inner.bUnderline;
    if (inner.bStrike) format.bStrike = inner.bStrike;
    if (inner.strColor) format.strColor = inner.strColor;
    if (inner.dSizePt) format.dSizePt = inner.dSizePt;
}

std::string DecodeEntity(const std::string& strEntity) {
    if (strEntity == "amp") return "&";
    if (strEntity == "lt") return "<";
    if (strEntity == "gt") return ">";
    if (strEntity == "quot") return "\"";
    if (strEntity == "nbsp") return "\xC2\xA0";
    if (!strEntity.empty() && strEntity[0] == '#') {
        const bool bHex = strEntity.size() > 1 && (strEntity[1] == 'x' || strEntity[1] == 'X');
        const auto ch =
            static_cast<char32_t>(std::strtoul(strEntity.c_str() + (bHex ? 2 : 1), nullptr, bHex ? 16 : 10));
        return ToUtf8(std::u32string(1, ch));
    }
    return "&" + strEntity + ";";
}

std::vector<HtmlParagraph> ReadHtmlParagraphs(const std::string& html) {
    std::vector<HtmlParagraph> paragraphs;
    std::vector<std::pair<std::string, HtmlFormat>> open;  // elements inside the current paragraph
    bool bInParagraph = false;
    auto appendText = [&](const std::string& strText) {
        if (!bInParagraph) return;
        HtmlFormat format;
        for (const auto& element : open) Overlay(format, element.second);
        for (char32_t ch : FromUtf8(strText)) {
            const bool bBlank = ch == U' ' || ch == U'\n' || ch == U'\t' || ch == U'\r';
            auto& chars = paragraphs.back().chars;
            if (bBlank && (chars.empty() || chars.back().ch == U' ')) continue;
            chars.push_back({bBlank ? U' ' : ch, format});
        }
    };
    size_t nPos = html.find("<body");
    while (nPos != std::string::npos && nPos < html.size()) {
        if (html[nPos] == '<') {
            const size_t nEnd = html.find('>', nPos);
            if (nEnd == std::string::npos) break;
            const std::string strTag = html.substr(nPos, nEnd - nPos + 1);
            nPos = nEnd + 1;
            const bool bClosing = strTag.size() > 1 && strTag[1] == '/';
            const size_t nNameStart = bClosing ? 2 : 1;
            const std::string strName = strTag.substr(nNameStart, strTag.find_first_of(" />", nNameStart) - nNameStart);
            if (strName == "p" && !bClosing) {
                paragraphs.push_back({Attribute(strTag, "align"), {}});
                open.clear();
                bInParagraph = true;
            } else if (strName == "p") {
                auto& chars = paragraphs.back().chars;
                if (!chars.empty() && chars.back().ch == U' ') chars.pop_back();
                bInParagraph = false;
            } else if (strName == "br") {
                appendText("\n");
            } else if (bClosing) {
                while (!open.empty()) {
                    const bool bMatch = open.back().first == strName;
                    open.pop_back();
                    if (bMatch) break;
                }
            } else if (bInParagraph && strTag[strTag.size() - 2] != '/') {
                open.emplace_back(strName, FormatOfTag(strName, strTag));
            }
        } else {
            const size_t nNext = html.find('<', nPos);
            std::string strText = html.substr(nPos, nNext - nPos);
            std::string strDecoded;
            for (size_t i = 0; i < strText.size(); ++i) {
                const size_t nSemicolon = strText[i] == '&' ? strText.find(';', i) : std::string::npos;
                if (nSemicolon != std::string::npos && nSemicolon - i < 10) {
                    strDecoded += DecodeEntity(strText.substr(i + 1, nSemicolon - i - 1));
                    i = nSemicolon;
                } else {
                    strDecoded += strText[i];
                }
            }
            appendText(strDecoded);
            nPos = nNext;
        }
    }
    return paragraphs;
}

// ------------------------------------------------------------------ the document and the check

struct Word {
    std::u32string_view text;
    CharFormat cf;
};

CharFormat Format(bool bBold, bool bItalic, bool bUnderline, bool bStrike, uint32_t crColor, int32_t yHeight,
                  uint8_t bCharSet) {
    return MakeCharFormat(bBold, bItalic, bUnderline, bStrike, crColor == UINT32_MAX, crColor, yHeight, bCharSet);
}

constexpr uint32_t kAuto = UINT32_MAX;

struct TestParagraph {
    uint16_t wAlignment;
    bool bRtl;
    const char* szAlign;  // as the HTML says it
    std::vector<Word> words;
};

std::vector<TestParagraph> Document() {
    const CharFormat he = Format(false, false, false, false, kAuto, 240, HEBREW_CHARSET);
    const CharFormat la = Format(false, false, false, false, kAuto, 240, ANSI_CHARSET);
    return {
        {PFA_RIGHT,
         true,
         "right",
         {{U"שָׁלוֹם ", he},
          {U"מודגש", Format(true, false, false, false, kAuto, 240, HEBREW_CHARSET)},
          {U" ", he},
          {U"נטוי", Format(false, true, false, false, kAuto, 240, HEBREW_CHARSET)},
          {U" ", he},
          {U"קו", Format(false, false, true, false, kAuto, 240, HEBREW_CHARSET)},
          {U" ", he},
          {U"אדום", Format(false, false, false, false, 0x0000FF, 240, HEBREW_CHARSET)},
          {U" ", he},
          {U"גדול", Format(false, false, false, false, kAuto, 480, HEBREW_CHARSET)},
          {U" ", he},
          {U"מחוק", Format(false, false, false, true, kAuto, 240, HEBREW_CHARSET)},
          {U" ", he},
          {U"הכל", Format(true, true, true, false, 0x008000, 360, HEBREW_CHARSET)}}},
        {PFA_CENTER,
         false,
         "center",
         {{U"Centred ", la},
          {U"bold", Format(true, false, false, false, kAuto, 240, ANSI_CHARSET)},
          {U" and ", la},
          {U"blue", Format(false, false, false, false, 0xFF0000, 200, ANSI_CHARSET)}}},
        {PFA_LEFT, true, "left", {{U"שמאל 123 ", he}, {U"abc", la}, {U" ₪", he}}},
        {PFA_JUSTIFY,
         false,
         "justify",
         {{U"Justified ", la}, {U"italic", Format(false, true, false, false, kAuto, 240, ANSI_CHARSET)}}},
        {PFA_RIGHT, true, "right", {{U"\U0001F600 \u03B5 \u20AC \u05D0", he}}},
    };
}

std::string ColorName(const CharFormat& cf) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", cf.crTextColor & 0xFF, (cf.crTextColor >> 8) & 0xFF,
                  (cf.crTextColor >> 16) & 0xFF);
    return buffer;
}

void ExpectCharMatches(const HtmlChar& hc, const CharFormat& cf, const std::string& strWhere) {
    const HtmlFormat& f = hc.format;
    EXPECT_EQ(f.bBold.value_or(false), cf.IsBold()) << strWhere;
    EXPECT_EQ(f.bItalic.value_or(false), cf.IsItalic()) << strWhere;
    EXPECT_EQ(f.bUnderline.value_or(false), cf.IsUnderline()) << strWhere;
    EXPECT_EQ(f.bStrike.value_or(false), cf.IsStrikeout()) << strWhere;
    if (cf.IsAutoColor()) {
        // LibreOffice spells the automatic colour of a run as black, or not at all.
        EXPECT_TRUE(!f.strColor || *f.strColor == "#000000") << strWhere << " " << *f.strColor;
    } else {
        EXPECT_EQ(f.strColor.value_or("auto"), ColorName(cf)) << strWhere;
    }
    EXPECT_EQ(f.dSizePt.value_or(12.0), cf.yHeight / 20.0) << strWhere;
}

TEST(LibreOffice, ReadsWhatTheWriterWrites) {
    const std::optional<fs::path> soffice = FindProgram("soffice");
    if (!soffice) GTEST_SKIP() << "soffice is not installed";
    char szTemplate[] = "/tmp/velmora-lo-XXXXXX";
    ASSERT_NE(::mkdtemp(szTemplate), nullptr);
    const fs::path dir = szTemplate;

    const std::vector<TestParagraph> document = Document();
    TextModel model;
    for (size_t i = 0; i < document.size(); ++i) {
        if (i > 0) model.BreakParagraph(document[i - 1].words.back().cf);
        model.SetParagraphAlignment(document[i].wAlignment);
        model.SetParagraphRtl(document[i].bRtl);
        for (const Word& word : document[i].words) model.Append(word.text, word.cf);
    }
    std::string strError;
    ASSERT_TRUE(WriteFileAtomically((dir / "doc.rtf").string(), WriteRtf(model), strError)) << strError;

    // A private profile, so that a user's running LibreOffice or settings play no part.
    const std::string strCommand = "cd " + dir.string() + " && timeout -k 10 180 " + soffice->string() +
                                   " -env:UserInstallation=file://" + (dir / "profile").string() +
                                   " --headless --convert-to html --outdir " + dir.string() +
                                   " doc.rtf >soffice.log 2>&1";
    const int nStatus = std::system(strCommand.c_str());
    const std::string html = ReadFileBytes(dir / "doc.html");
    ASSERT_FALSE(html.empty()) << "soffice gave no HTML (status " << nStatus
                               << "): " << ReadFileBytes(dir / "soffice.log");

    const std::vector<HtmlParagraph> paragraphs = ReadHtmlParagraphs(html);
    ASSERT_EQ(paragraphs.size(), document.size()) << html;
    for (size_t i = 0; i < document.size(); ++i) {
        SCOPED_TRACE("paragraph " + std::to_string(i));
        std::u32string text;
        std::vector<const CharFormat*> formats;
        for (const Word& word : document[i].words) {
            text += word.text;
            formats.insert(formats.end(), word.text.size(), &word.cf);
        }
        ASSERT_EQ(paragraphs[i].Text(), ToUtf8(text));
        EXPECT_EQ(paragraphs[i].strAlign, document[i].szAlign);
        for (size_t k = 0; k < text.size(); ++k) {
            if (text[k] == U' ') continue;  // a blank's format is not visible in HTML
            ExpectCharMatches(paragraphs[i].chars[k], *formats[k],
                              "character " + std::to_string(k) + " '" + ToUtf8(text.substr(k, 1)) + "'");
        }
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
}

}  // namespace
}  // namespace velmora::test
