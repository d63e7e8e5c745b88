// Writes a comparison corpus: the plain text in Windows-1255 and the same document as RTF.
//   make-corpus CHARS PLAIN_OUT RTF_OUT [mixed|long|short]
// mixed: lines of 40 to 200 characters of Hebrew, Latin, numbers and brackets (the default);
// long: mostly Hebrew paragraphs of 2 to 5 KB; short: short lines thick with numbers and signs.

#include "CodePage1255.h"
#include "Corpus.h"
#include "RtfWriter.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

int main(int argc, char** argv) {
    using namespace velmora;
    size_t nChars = 0;
    const std::string_view kind = argc == 5 ? argv[4] : "mixed";
    if ((argc != 4 && argc != 5) || (kind != "mixed" && kind != "long" && kind != "short") ||
        std::from_chars(argv[1], argv[1] + std::char_traits<char>::length(argv[1]), nChars).ec != std::errc()) {
        std::fprintf(stderr, "usage: make-corpus CHARS PLAIN_OUT RTF_OUT [mixed|long|short]\n");
        return 2;
    }
    const std::u32string text = kind == "long"    ? bench::MakeLongParagraphText(nChars)
                                : kind == "short" ? bench::MakeShortLineText(nChars)
                                                  : bench::MakeCorpusText(nChars);
    std::string bytes;
    size_t nBad = 0;
    if (!EncodeCp1255(text, bytes, nBad)) return 1;
    std::ofstream(argv[2], std::ios::binary) << bytes;
    std::ofstream(argv[3], std::ios::binary) << WriteRtf(bench::MakeCorpusModel(text));
    return 0;
}
