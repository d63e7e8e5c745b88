#include "Utf8.h"

#include <cstdint>

namespace velmora {

namespace {

// Decodes the sequence at bytes[i]; returns its length, or 0 when it is not valid UTF-8.
size_t DecodeOne(std::string_view bytes, size_t i, char32_t& ch) {
    const auto lead = static_cast<uint8_t>(bytes[i]);
    size_t nLength = 0;
    char32_t nMin = 0;
    if (lead < 0x80) {
        ch = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        nLength = 2;
        ch = lead & 0x1Fu;
        nMin = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        nLength = 3;
        ch = lead & 0x0Fu;
        nMin = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        nLength = 4;
        ch = lead & 0x07u;
        nMin = 0x10000;
    } else {
        return 0;
    }
    if (i + nLength > bytes.size()) return 0;
    for (size_t k = 1; k < nLength; ++k) {
        const auto cont = static_cast<uint8_t>(bytes[i + k]);
        if ((cont & 0xC0) != 0x80) return 0;
        ch = (ch << 6) | (cont & 0x3Fu);
    }
    if (ch < nMin || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) return 0;
    return nLength;
}

}  // namespace

bool DecodeUtf8(std::string_view bytes, std::u32string& text, size_t& nBadOffset) {
    text.clear();
    if (text.capacity() < bytes.size()) text.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        // ASCII stretches are the common case; copy them without the general decoder.
        const auto byte = static_cast<uint8_t>(bytes[i]);
        if (byte < 0x80) {
            text.push_back(byte);
            ++i;
            continue;
        }
        char32_t ch = 0;
        const size_t nLength = DecodeOne(bytes, i, ch);
        if (nLength == 0) {
            nBadOffset = i;
            return false;
        }
        text.push_back(ch);
        i += nLength;
    }
    return true;
}

int CUtf8ByteDecoder::Feed(uint8_t byte, char32_t (&out)[2]) {
    int n = 0;
    if (m_nAwaited > 0) {
        if (byte >= m_low && byte <= m_high) {
            m_ch = (m_ch << 6) | (byte & 0x3Fu);
            m_low = 0x80;
            m_high = 0xBF;
            if (--m_nAwaited == 0) out[n++] = m_ch;
            return n;
        }
        m_nAwaited = 0;
        out[n++] = U'\uFFFD';
    }
    if (byte < 0x80) {
        out[n++] = byte;
        return n;
    }
    // A lead byte: how many bytes follow it, and the range the first of them must fall in for the
    // character to be written in its shortest form, outside the surrogates and below U+110000.
    m_low = 0x80;
    m_high = 0xBF;
    if (byte >= 0xC2 && byte <= 0xDF) {
        m_ch = byte & 0x1Fu;
        m_nAwaited = 1;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        m_ch = byte & 0x0Fu;
        m_nAwaited = 2;
        if (byte == 0xE0) m_low = 0xA0;
        if (byte == 0xED) m_high = 0x9F;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        m_ch = byte & 0x07u;
        m_nAwaited = 3;
        if (byte == 0xF0) m_low = 0x90;
        if (byte == 0xF4) m_high = 0x8F;
    } else {
        out[n++] = U'\uFFFD';
    }
    return n;
}

void AppendUtf8(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out.push_back(static_cast<char>(ch));
    } else if (ch < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else if (ch < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (ch >> 18)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    }
}

std::string EncodeUtf8(std::u32string_view text) {
    // The exact length first (a count without branches), then one pass that writes it.
    size_t nBytes = 0;
    for (char32_t ch : text) nBytes += 1 + (ch >= 0x80) + (ch >= 0x800) + (ch >= 0x10000);
    std::string out(nBytes, '\0');
    auto* p = reinterpret_cast<unsigned char*>(out.data());
    for (char32_t ch : text) {
        if (ch < 0x80) {
            *p++ = static_cast<unsigned char>(ch);
        } else if (ch < 0x800) {
            p[0] = static_cast<unsigned char>(0xC0 | (ch >> 6));
            p[1] = static_cast<unsigned char>(0x80 | (ch & 0x3F));
            p += 2;
        } else if (ch < 0x10000) {
            p[0] = static_cast<unsigned char>(0xE0 | (ch >> 12));
            p[1] = static_cast<unsigned char>(0x80 | ((ch >> 6) & 0x3F));
            p[2] = static_cast<unsigned char>(0x80 | (ch & 0x3F));
            p += 3;
        } else {
            p[0] = static_cast<unsigned char>(0xF0 | (ch >> 18));
            p[1] = static_cast<unsigned char>(0x80 | ((ch >> 12) & 0x3F));
            p[2] = static_cast<unsigned char>(0x80 | ((ch >> 6) & 0x3F));
            p[3] = static_cast<unsigned char>(0x80 | (ch & 0x3F));
            p += 4;
        }
    }
    out.resize(static_cast<size_t>(p - reinterpret_cast<unsigned char*>(out.data())));
    return out;
}

}  // namespace velmora
