#pragma once
// Cuts RTF bytes into tokens: group braces, control words with their parameter, control symbols,
// \'xx bytes, \bin data and runs of plain text. It never allocates and looks at every byte once.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmora {

enum class RtfTokenKind : uint8_t {
    End,           // no more input
    GroupStart,    // {
    GroupEnd,      // }
    ControlWord,   // \name or \nameN: text holds the name
    ControlSymbol, // \ and one other character, in chSymbol; "\" before CR or LF gives '\n'
    HexByte,       // \'xx: byte
    Binary,        // the data of \binN: text holds it (cut short at the end of the input)
    Text,          // plain bytes without \ { } CR LF NUL: text holds them
};

struct RtfToken {
    RtfTokenKind kind = RtfTokenKind::End;
    bool bHasParam = false;
    char chSymbol = 0;
    uint8_t byte = 0;
    int32_t nParam = 0;  // clamped to the 32-bit signed range whatever the number of digits
    std::string_view text;
};

class CRtfTokenizer {
public:
    explicit CRtfTokenizer(std::string_view bytes) : m_bytes(bytes) {}

    // Fills token with the next token; returns false (token.kind End) at the end of the input.
    bool Next(RtfToken& token);

    // Byte offset of the next token.
    size_t Offset() const { return m_nPos; }
    // True once a \binN asked for more bytes than the input holds.
    bool BinaryCutShort() const { return m_bBinaryCutShort; }

private:
    void ReadControl(RtfToken& token);
    void ReadControlWord(RtfToken& token);

    std::string_view m_bytes;
    size_t m_nPos = 0;
    bool m_bBinaryCutShort = false;
};

}  // namespace velmora
