#include "CodePage1255.h"

#include "Cp1255Scan.h"

#include <algorithm>
#include <array>

namespace velmora {

namespace {

// Bytes 0x80..0xFF; 0 marks a byte the code page leaves undefined. 0xCA is U+05BA (HEBREW POINT
// HOLAM HASER FOR VAV), as current Windows and the WHATWG encoding standard map it.
// clang-format off
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0000, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0000, 0x2039, 0x0000, 0x0000, 0x0000, 0x0000,
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0000, 0x203A, 0x0000, 0x0000, 0x0000, 0x0000,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x20AA, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00D7, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00F7, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x05B0, 0x05B1, 0x05B2, 0x05B3, 0x05B4, 0x05B5, 0x05B6, 0x05B7,
    0x05B8, 0x05B9, 0x05BA, 0x05BB, 0x05BC, 0x05BD, 0x05BE, 0x05BF,
    0x05C0, 0x05C1, 0x05C2, 0x05C3, 0x05F0, 0x05F1, 0x05F2, 0x05F3,
    0x05F4, 0x0000, 0x0000, 0x0000, 0x0000, 0x0000, 0x0000, 0x0000,
    0x05D0, 0x05D1, 0x05D2, 0x05D3, 0x05D4, 0x05D5, 0x05D6, 0x05D7,
    0x05D8, 0x05D9, 0x05DA, 0x05DB, 0x05DC, 0x05DD, 0x05DE, 0x05DF,
    0x05E0, 0x05E1, 0x05E2, 0x05E3, 0x05E4, 0x05E5, 0x05E6, 0x05E7,
    0x05E8, 0x05E9, 0x05EA, 0x0000, 0x0000, 0x200E, 0x200F, 0x0000,
};
// clang-format on

constexpr std::array<uint8_t, 0x10000> BuildReverseTable() {
    std::array<uint8_t, 0x10000> table{};
    for (size_t c = 1; c < 0x80; ++c) table[c] = static_cast<uint8_t>(c);
    for (size_t i = 0; i < kHighHalf.size(); ++i) {
        if (kHighHalf[i] != 0) table[kHighHalf[i]] = static_cast<uint8_t>(0x80 + i);
    }
    return table;
}

const std::array<uint8_t, 0x10000>& ReverseTable() {
    static const std::array<uint8_t, 0x10000> table = BuildReverseTable();
    return table;
}

}  // namespace

char32_t DecodeCp1255Byte(uint8_t byte) { return byte < 0x80 ? byte : kHighHalf[byte - 0x80u]; }

int EncodeCp1255Char(char32_t ch) {
    if (ch == 0) return 0;
    if (ch > 0xFFFF) return -1;
    const uint8_t byte = ReverseTable()[ch];
    return byte != 0 ? byte : -1;
}

constexpr char32_t kUndefined = 0xFFFFFFFF;

const std::array<char32_t, 256>& DecodeTable() {
    static const std::array<char32_t, 256> table = [] {
        std::array<char32_t, 256> t{};
        for (size_t b = 0; b < 256; ++b) {
            const char32_t ch = DecodeCp1255Byte(static_cast<uint8_t>(b));
            t[b] = ch == 0 && b != 0 ? kUndefined : ch;
        }
        return t;
    }();
    return table;
}

size_t FindUndefinedCp1255(std::string_view bytes) {
    const auto& table = DecodeTable();
    // Checked a stretch at a time without branching on each byte; undefined bytes are rare.
    constexpr size_t kStretch = 256;
    size_t nFrom = 0;
    for (; nFrom + 16 <= bytes.size(); nFrom += 16) {
        if (!MayHoldUndefinedCp1255(bytes.data() + nFrom)) continue;
        for (size_t i = nFrom; i < nFrom + 16; ++i) {
            if (table[static_cast<uint8_t>(bytes[i])] == kUndefined) return i;
        }
    }
    for (size_t nAt = nFrom; nAt < bytes.size(); nAt += kStretch) {
        const size_t nEnd = std::min(bytes.size(), nAt + kStretch);
        bool bUndefined = false;
        for (size_t i = nAt; i < nEnd; ++i) bUndefined |= table[static_cast<uint8_t>(bytes[i])] == kUndefined;
        if (!bUndefined) continue;
        for (size_t i = nAt; i < nEnd; ++i) {
            if (table[static_cast<uint8_t>(bytes[i])] == kUndefined) return i;
        }
    }
    return bytes.size();
}

void DecodeCp1255Into(std::string_view bytes, char32_t* pOut) {
    const auto& table = DecodeTable();
    for (size_t i = 0; i < bytes.size(); ++i) pOut[i] = table[static_cast<uint8_t>(bytes[i])];
}

bool DecodeCp1255(std::string_view bytes, std::u32string& text, size_t& nBadOffset) {
    const size_t nBad = FindUndefinedCp1255(bytes);
    text.resize(nBad);
    DecodeCp1255Into(bytes.substr(0, nBad), text.data());
    if (nBad == bytes.size()) return true;
    nBadOffset = nBad;
    return false;
}

bool EncodeCp1255(std::u32string_view text, std::string& bytes, size_t& nBadPosition) {
    bytes.clear();
    return AppendCp1255(text, bytes, nBadPosition);
}

bool AppendCp1255(std::u32string_view text, std::string& bytes, size_t& nBadPosition) {
    const size_t nAt = bytes.size();
    bytes.resize(nAt + text.size());
    char* pOut = bytes.data() + nAt;
    const auto& reverse = ReverseTable();
    for (size_t i = 0; i < text.size(); ++i) {
        // One table for ASCII and the code page's other characters alike: mixed Hebrew and
        // Latin text would make a branch between them mispredict all the time.
        const char32_t ch = text[i];
        const uint8_t byte = ch <= 0xFFFF ? reverse[ch] : 0;
        if (byte == 0 && ch != 0) {
            nBadPosition = i;
            bytes.resize(nAt + i);
            return false;
        }
        pOut[i] = static_cast<char>(byte);
    }
    return true;
}

}  // namespace velmora
