#pragma once
// Files that people take for documents Velmora reads, but that are something else, known by their
// first bytes: a Word 2007 document renamed .rtf, a Word 97 one, a PDF, text that Notepad saved as
// "Unicode".

#include <cstddef>
#include <string_view>

namespace velmora {

// The most bytes OtherFileFormat looks at.
inline constexpr size_t kOtherFileFormatBytes = 8;

// Text in UTF-16, known by its byte-order mark: neither RTF nor UTF-8 ever starts with FF or FE.
constexpr bool StartsAsUtf16(std::string_view bytes) {
    using namespace std::string_view_literals;
    return bytes.starts_with("\xFF\xFE"sv) || bytes.starts_with("\xFE\xFF"sv);
}

// What bytes are, as words to follow "it is", or nothing when they are none of these.
constexpr std::string_view OtherFileFormat(std::string_view bytes) {
    using namespace std::string_view_literals;
    if (bytes.starts_with("PK\x03\x04"sv)) return "a ZIP archive, as .docx and .odt documents are"sv;
    if (bytes.starts_with("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"sv))
        return "a compound file, as .doc documents of Word 97 to 2003 are"sv;
    if (bytes.starts_with("%PDF-"sv)) return "a PDF document"sv;
    if (StartsAsUtf16(bytes)) return "UTF-16 text"sv;
    return {};
}

}  // namespace velmora
