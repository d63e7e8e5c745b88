// A document converted while it is read, a window of paragraphs at a time, gives exactly the
// output of one conversion over the whole document: random documents with every feature that
// reads across paragraphs (right-to-left marks after a break, empty lines and their alignment,
// aligned blocks, blanks), cut into windows of every size.

#include "CodePage1255.h"
#include "ConversionEngine.h"
#include "PlainTextDocument.h"
#include "StreamingConversion.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <random>

namespace velmora {
namespace {

std::string RandomMarkup(std::mt19937& rng, int nPieces) {
    static constexpr const char* kPieces[] = {
        "ABC", "DE", "abc", "xy", "12", "3.14", " ",   "  ",    "   ",  ",",     ".",      "(",       ")",
        "\"",  ":",  "-",   "!",  "~",  " ~",   "*\t", "{b}",   "{L}",  "{red}", "{auto}", "{s=160}", "|",
        "|",   "|<", "|^",  "|>", "||", "| |",  "|~",  "|  ~A", "|~ab", "| ,",   "\r"};
    std::string markup;
    for (int i = 0; i < nPieces; ++i) markup += kPieces[rng() % std::size(kPieces)];
    return markup;
}

// Hands doc to stream paragraph by paragraph, as a reader would.
void Feed(const TextModel& doc, CStreamingConversion& stream) {
    for (size_t i = 0; i < doc.ParagraphCount(); ++i) {
        const Paragraph& para = doc.ParagraphAt(i);
        stream.Document().SetParagraphAlignment(para.wAlignment);
        stream.Document().SetParagraphRtl(para.bRtl);
        const bool bLast = i + 1 == doc.ParagraphCount();
        const int32_t nTextEnd = bLast ? doc.Length() : doc.ParagraphEnd(i) - 2;
        for (int32_t p = para.nStart; p < nTextEnd;) {
            const int32_t e = std::min(doc.FormatRunEnd(p), nTextEnd);
            stream.Document().Append(std::u32string_view(doc.Text()).substr(p, e - p), doc.FormatAt(p));
            p = e;
        }
        if (!bLast) stream.EndParagraph(doc.FormatAt(nTextEnd));
    }
}

std::u32string Streamed(const TextModel& doc, bool bHtml, int32_t nLineLength, int32_t nWrap, int32_t nWindow) {
    CConversionEngine engine;
    std::u32string out;
    engine.SetOutputSink([&](std::u32string_view part) { out += part; });
    CStreamingConversion stream(engine, bHtml, nLineLength, nWrap, nWindow);
    Feed(doc, stream);
    EXPECT_EQ(stream.Finish(), doc.Length() > 0);
    return out;
}

TEST(StreamingConversionTest, WindowsOfEverySizeGiveTheWholeDocumentsOutput) {
    std::mt19937 rng(12);
    for (int nDoc = 0; nDoc < 400; ++nDoc) {
        TextModel doc = test::MakeDoc(RandomMarkup(rng, 5 + static_cast<int>(rng() % 120)));
        const int32_t nWrap = static_cast<int32_t>(rng() % 3) * 7;
        const int32_t nLineLength = 1 + static_cast<int32_t>(rng() % 12);
        doc.LayOut(nWrap);
        for (bool bHtml : {true, false}) {
            CConversionEngine whole;
            const std::u32string expected =
                bHtml ? whole.CopyToHtml(doc, nLineLength) : whole.NonstyledText(doc, nLineLength);
            for (int32_t nWindow : {1, 3, 8, 40, 1 << 18}) {
                const std::u32string got = Streamed(doc, bHtml, nLineLength, nWrap, nWindow);
                ASSERT_EQ(test::Vis(got), test::Vis(expected))
                    << "document " << nDoc << (bHtml ? " html" : " plain") << " window " << nWindow;
            }
        }
    }
}

TEST(StreamingConversionTest, AnEmptyDocumentWritesNothing) {
    EXPECT_TRUE(Streamed(TextModel{}, true, 80, 0, 8).empty());
}

// Plain text fed in blocks of every size reads as the whole text does, CR LF and a UTF-8
// sequence cut between blocks included; a bad byte is named at its offset in the whole input.
TEST(StreamingConversionTest, PlainTextInBlocksReadsAsAWhole) {
    const std::string utf8 = "\xEF\xBB\xBF\xD7\xA9\xD7\x9C abc\r\n\r\n1.5 (\xD7\x90)\r\rx\ny\r\n\xD7\x91\r";
    const std::string cp1255 = "\xF9\xEC abc\r\n\r\n1.5 (\xE0)\r\rx\ny\r\n\xE1\r";
    // Every byte the code page defines, read line by line into the document.
    std::string cp1255Bytes = "\r\n";
    for (int byte = 1; byte < 256; ++byte) {
        if (byte % 32 == 0) cp1255Bytes += "\r\n";
        if (byte != '\r' && byte != '\n' && DecodeCp1255Byte(static_cast<uint8_t>(byte)) != 0)
            cp1255Bytes += static_cast<char>(byte);
    }
    for (auto [eEncoding, text] : {std::pair{TextEncoding::Utf8, utf8}, std::pair{TextEncoding::Cp1255, cp1255},
                                   std::pair{TextEncoding::Cp1255, cp1255Bytes}}) {
        TextModel whole;
        size_t nBad = 0;
        ASSERT_TRUE(LoadPlainTextBytes(text, eEncoding, whole, nBad));
        CConversionEngine engine;
        const std::u32string expected = engine.CopyToHtml(whole, 256);
        for (size_t nBlock = 1; nBlock <= text.size(); ++nBlock) {
            CConversionEngine streamed;
            std::u32string got;
            streamed.SetOutputSink([&](std::u32string_view part) { got += part; });
            CStreamingConversion stream(streamed, true, 256, 0, 2);
            CPlainTextStreamReader reader(eEncoding, stream);
            for (size_t p = 0; p < text.size(); p += nBlock) ASSERT_TRUE(reader.Feed(text.substr(p, nBlock), nBad));
            ASSERT_TRUE(reader.Finish(nBad));
            ASSERT_TRUE(stream.Finish());
            ASSERT_EQ(test::Vis(got), test::Vis(expected)) << "blocks of " << nBlock;
        }
    }
    const std::string bad = "abc\r\nd\xD7";  // a sequence cut off by the end of the input
    for (size_t nBlock = 1; nBlock <= bad.size(); ++nBlock) {
        CConversionEngine engine;
        engine.SetOutputSink([](std::u32string_view) {});
        CStreamingConversion stream(engine, false, 256, 0);
        CPlainTextStreamReader reader(TextEncoding::Utf8, stream);
        size_t nBad = 0;
        bool bOk = true;
        for (size_t p = 0; bOk && p < bad.size(); p += nBlock) bOk = reader.Feed(bad.substr(p, nBlock), nBad);
        if (bOk) bOk = reader.Finish(nBad);
        EXPECT_FALSE(bOk);
        EXPECT_EQ(nBad, 6u) << "blocks of " << nBlock;
    }
}

// A byte that Windows-1255 leaves undefined is named at its offset in the whole input, and no
// paragraph read in the same block before it is converted: the output stops where it did when
// each block was decoded whole before any of it was taken.
TEST(StreamingConversionTest, AnUndefinedByteStopsTheBlockThatHoldsIt) {
    const std::string line = "\xF9\xEC\xE5\xED abc\r\n";
    for (size_t nAt : {size_t{0}, size_t{5}, 3 * line.size() + 2, size_t{20000}, size_t{65000}, size_t{70000}}) {
        std::string text;
        while (text.size() <= nAt) text += line;
        text.insert(nAt, 1, '\x9F');
        CConversionEngine engine;
        std::u32string out;
        engine.SetOutputSink([&](std::u32string_view part) { out += part; });
        CStreamingConversion stream(engine, false, 80, 0, 1);
        CPlainTextStreamReader reader(TextEncoding::Cp1255, stream);
        size_t nBad = 0;
        EXPECT_FALSE(reader.Feed(text, nBad));
        EXPECT_EQ(nBad, nAt);
        // Stretches of 64 KiB are checked one after the other; thousands of paragraphs before
        // the bad byte in the same stretch would have been converted and handed on.
        EXPECT_EQ(out.empty(), nAt < 65536) << "bad byte at " << nAt;
    }
}

}  // namespace
}  // namespace velmora
