// Writes a document as Copy to HTML cuts and tags it, but with every line in logical order: the
// page a browser lays out itself, to compare with what velmora-convert writes for it.
//   logical-html INPUT.rtf > page-body.html

#include "CharClass.h"
#include "ConversionEngine.h"
#include "RtfReader.h"
#include "Utf8.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

using namespace velmora;

// Each stretch of one format is a run of its own, left in the order it was typed.
class CLogicalLineOrder final : public ILineOrder {
public:
    void OrderLine(const TextModel& doc, int32_t nStart, int32_t nEnd, std::vector<TextRun>& runs,
                   std::vector<int32_t>& order) override {
        runs.clear();
        order.clear();
        for (int32_t q = nStart; q < nEnd;) {
            const int32_t e = std::min(doc.FormatRunEnd(q), nEnd);
            const CharFormat& cf = doc.FormatAt(q);
            order.push_back(static_cast<int32_t>(runs.size()));
            runs.push_back({q, e - q, cf.dwMask, cf.dwEffects, cf.yHeight, cf.crTextColor, false});
            q = e;
        }
        order.push_back(kOrderSentinel);
    }
    // The marks stay: the browser orders the text with them.
    void AppendRunText(std::u32string& strOut, const TextRun&, std::u32string_view text) const override {
        for (char32_t ch : text) {
            if (ch != U'\r' && ch != U'\n') strOut += ch;
        }
    }
    bool IsListBullet(const TextRun&, std::u32string_view text) const override {
        return text == std::u32string_view(U"\u00B7\t");
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: logical-html INPUT.rtf\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    TextModel model;
    if (!in || !ReadRtf(bytes.str(), model).bOk) {
        std::cerr << "logical-html: " << argv[1] << ": not a readable RTF file\n";
        return 1;
    }
    model.LayOut(0);
    model.SetSel(0, 0);
    CLogicalLineOrder order;
    CConversionEngine engine;
    engine.SetLineOrder(&order);
    std::cout << EncodeUtf8(engine.CopyToHtml(model, kMaxLineLength));
    return 0;
}
