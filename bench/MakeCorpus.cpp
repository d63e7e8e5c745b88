// Writes the comparison corpus: the plain text in Windows-1255 and the same document as RTF.
//   make-corpus CHARS PLAIN_OUT RTF_OUT

#include "CodePage1255.h"
#include "Corpus.h"
#include "RtfWriter.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    using namespace velmora;
    size_t nChars = 0;
    if (argc != 4 || std::from_chars(argv[1], argv[1] + std::char_traits<char>::length(argv[1]), nChars).ec != std::errc()) {
        std::fprintf(stderr, "usage: make-corpus CHARS PLAIN_OUT RTF_OUT\n");
        return 2;
    }
    const std::u32string text = bench::MakeCorpusText(nChars);
    std::string bytes;
    size_t nBad = 0;
    if (!EncodeCp1255(text, bytes, nBad)) return 1;
    std::ofstream(argv[2], std::ios::binary) << bytes;
    std::ofstream(argv[3], std::ios::binary) << WriteRtf(bench::MakeCorpusModel(text));
    return 0;
}
