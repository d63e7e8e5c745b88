#include "TestText.h"

#include <charconv>

namespace velmora::test {

std::u32string Heb(std::string_view ascii) {
    std::u32string text;
    for (char c : ascii) {
        if (c >= 'A' && c <= 'Z') {
            text += static_cast<char32_t>(0x05D0 + (c - 'A'));
        } else if (c == '~') {
            text += U'\u200F';
        } else if (c == '*') {
            text += U'\u00B7';
        } else {
            text += static_cast<char32_t>(static_cast<unsigned char>(c));
        }
    }
    return text;
}

std::string Vis(std::u32string_view text) {
    std::string ascii;
    for (char32_t ch : text) {
        if (ch >= 0x05D0 && ch < 0x05D0 + 26) {
            ascii += static_cast<char>('A' + (ch - 0x05D0));
        } else if (ch == U'\u200F') {
            ascii += '~';
        } else if (ch == U'\u00B7') {
            ascii += '*';
        } else if (ch < 0x80) {
            ascii += static_cast<char>(ch);
        } else {
            ascii += '?';
        }
    }
    return ascii;
}

namespace {

void ApplyTag(std::string_view tag, CharFormat& cf) {
    if (tag == "b")
        cf.dwEffects ^= CFE_BOLD;
    else if (tag == "i")
        cf.dwEffects ^= CFE_ITALIC;
    else if (tag == "u")
        cf.dwEffects ^= CFE_UNDERLINE;
    else if (tag == "L")
        cf.bCharSet = cf.bCharSet == HEBREW_CHARSET ? ANSI_CHARSET : HEBREW_CHARSET;
    else if (tag == "red") {
        cf.dwEffects &= ~CFE_AUTOCOLOR;
        cf.crTextColor = 0x000000FF;
    } else if (tag == "auto") {
        cf.dwEffects |= CFE_AUTOCOLOR;
        cf.crTextColor = 0;
    } else if (tag.starts_with("s="))
        std::from_chars(tag.data() + 2, tag.data() + tag.size(), cf.yHeight);
}

uint16_t AlignOf(char sign) { return sign == '<' ? PFA_LEFT : sign == '^' ? PFA_CENTER : PFA_RIGHT; }

}  // namespace

TextModel MakeDoc(std::string_view markup) {
    TextModel doc;
    CharFormat cf = HebrewTypingFormat();
    bool bParagraphStart = true;
    for (size_t i = 0; i < markup.size(); ++i) {
        const char c = markup[i];
        if (bParagraphStart) {
            bParagraphStart = false;
            if (c == '<' || c == '^' || c == '>') {
                doc.SetParagraphAlignment(AlignOf(c));
                continue;
            }
            doc.SetParagraphAlignment(PFA_RIGHT);
        }
        if (c == '{') {
            const size_t close = markup.find('}', i);
            ApplyTag(markup.substr(i + 1, close - i - 1), cf);
            i = close;
        } else if (c == '|') {
            doc.BreakParagraph(cf);
            bParagraphStart = true;
        } else {
            doc.Append(Heb(std::string_view(&c, 1)), cf);
        }
    }
    if (bParagraphStart) doc.SetParagraphAlignment(PFA_RIGHT);
    return doc;
}

}  // namespace velmora::test
