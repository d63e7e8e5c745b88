// Write then read gives back exactly the same model, for many generated documents.

#include "ModelText.h"
#include "RtfReader.h"
#include "RtfWriter.h"

#include <gtest/gtest.h>

#include <random>

namespace velmora::test {
namespace {

class CDocumentGenerator {
public:
    explicit CDocumentGenerator(uint32_t nSeed) : m_random(nSeed) {}

    TextModel Generate() {
        TextModel model;
        const int nParagraphs = Pick(1, 6) + (Chance(20) ? Pick(1, 2) : 0);
        for (int i = 0; i < nParagraphs; ++i) {
            if (i > 0) model.BreakParagraph(RandomFormat());
            static constexpr uint16_t kAlignments[] = {PFA_LEFT, PFA_RIGHT, PFA_CENTER, PFA_JUSTIFY};
            model.SetParagraphAlignment(kAlignments[Pick(0, 3)]);
            model.SetParagraphRtl(Chance(50));
            // Trailing paragraphs stay empty: a text ending in CR LF is the case to keep.
            const int nRuns = i >= 6 ? 0 : Pick(0, 6);
            for (int r = 0; r < nRuns; ++r) model.Append(RandomText(Pick(1, 10)), RandomFormat());
        }
        return model;
    }

private:
    int Pick(int nLow, int nHigh) { return std::uniform_int_distribution<int>(nLow, nHigh)(m_random); }
    bool Chance(int nPercent) { return Pick(1, 100) <= nPercent; }

    CharFormat RandomFormat() {
        static constexpr int32_t kHeights[] = {160, 200, 210, 240, 240, 280, 360, 480, 1440};
        static constexpr uint8_t kCharsets[] = {177, 177, 177, 177, 0, 0, 0, 204, 161, 2};
        const bool bAuto = Chance(60);
        const auto crColor = static_cast<uint32_t>(Chance(10) ? 0 : Pick(0, 0xFFFFFF));
        return MakeCharFormat(Chance(30), Chance(30), Chance(20), Chance(10), bAuto, crColor,
                              kHeights[Pick(0, std::size(kHeights) - 1)], kCharsets[Pick(0, std::size(kCharsets) - 1)]);
    }

    char32_t RandomChar() {
        static constexpr std::u32string_view kPunctuation = U" .,;:!?()[]{}-\"'/\\*&%$#@";
        static constexpr std::u32string_view kSpecial =
            U"\t\u200F\u200E\u00A0\u20AA\u20AC\u05BE\u05F3\u05F4\u00B7\u2022\u2013\u2014";
        static constexpr std::u32string_view kOutsideCp1255 =
            U"\U0001F600\U00010348\u4E2D\u0410\u03B1\u0645\uFB2A\uFB4F\u00E9\u2764\uFFFD\u05C7\u05BA\u0001\u007F";
        switch (Pick(0, 9)) {
        case 0:
        case 1:
        case 2: return static_cast<char32_t>(Pick(0x05D0, 0x05EA));  // Hebrew letters
        case 3: return static_cast<char32_t>(Pick(0x05B0, 0x05C7));  // points and marks
        case 4: return static_cast<char32_t>(Chance(50) ? Pick('a', 'z') : Pick('A', 'Z'));
        case 5: return static_cast<char32_t>(Pick('0', '9'));
        case 6: return kPunctuation[static_cast<size_t>(Pick(0, kPunctuation.size() - 1))];
        case 7: return kSpecial[static_cast<size_t>(Pick(0, kSpecial.size() - 1))];
        case 8: return kOutsideCp1255[static_cast<size_t>(Pick(0, kOutsideCp1255.size() - 1))];
        default: return U' ';
        }
    }

    std::u32string RandomText(int nLength) {
        std::u32string text;
        for (int i = 0; i < nLength; ++i) text.push_back(RandomChar());
        return text;
    }

    std::mt19937 m_random;
};

TEST(RtfRoundTrip, TenThousandGeneratedDocumentsComeBackTheSame) {
    constexpr uint32_t kDocuments = 10000;
    for (uint32_t nSeed = 1; nSeed <= kDocuments; ++nSeed) {
        const TextModel original = CDocumentGenerator(nSeed).Generate();
        const std::string rtf = WriteRtf(original);
        TextModel read;
        const RtfReadResult result = ReadRtf(rtf, read);
        ASSERT_TRUE(result.bOk) << "seed " << nSeed << ": " << result.strError;
        const std::string strDifference = CompareModels(original, read);
        ASSERT_EQ(strDifference, "") << "seed " << nSeed << "\n"
                                     << DumpModel(original) << "\n--- read back ---\n"
                                     << DumpModel(read) << "\n--- rtf ---\n"
                                     << rtf;
    }
}

TEST(RtfRoundTrip, WrittenTwiceGivesTheSameBytes) {
    for (uint32_t nSeed = 1; nSeed <= 200; ++nSeed) {
        const TextModel original = CDocumentGenerator(nSeed).Generate();
        const std::string rtf = WriteRtf(original);
        TextModel read;
        ASSERT_TRUE(ReadRtf(rtf, read).bOk);
        ASSERT_EQ(WriteRtf(read), rtf) << "seed " << nSeed;
    }
}

}  // namespace
}  // namespace velmora::test
