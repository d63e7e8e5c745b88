// Speed of the conversions over a generated corpus; see the README for the comparison with
// GNU FriBidi on whole files.

#include "ConversionEngine.h"
#include "Corpus.h"
#include "LineReversal.h"
#include "RtfReader.h"
#include "RtfTokenizer.h"
#include "RtfWriter.h"
#include "VisualToLogical.h"

#include <benchmark/benchmark.h>

namespace velmora::bench {
namespace {

const std::u32string& CorpusText() {
    static const std::u32string text = MakeCorpusText(2'000'000);
    return text;
}

void SetBytes(benchmark::State& state, size_t nChars) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * nChars));
}

void BM_CopyToHtml(benchmark::State& state) {
    TextModel model = MakeCorpusModel(CorpusText());
    model.LayOut(static_cast<int32_t>(state.range(0)));
    for (auto _ : state) {
        CConversionEngine engine;
        benchmark::DoNotOptimize(engine.CopyToHtml(model, 80));
    }
    SetBytes(state, CorpusText().size());
}
BENCHMARK(BM_CopyToHtml)->Arg(0)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_NonstyledText(benchmark::State& state) {
    TextModel model = MakeCorpusModel(CorpusText());
    for (auto _ : state) {
        CConversionEngine engine;
        benchmark::DoNotOptimize(engine.NonstyledText(model, 80));
    }
    SetBytes(state, CorpusText().size());
}
BENCHMARK(BM_NonstyledText)->Unit(benchmark::kMillisecond);

// A paragraph of nothing but blanks: every piece looks ahead to the end of the stretch.
void BM_NonstyledBlanks(benchmark::State& state) {
    TextModel model;
    model.Append(std::u32string(static_cast<size_t>(state.range(0)), U' '), HebrewTypingFormat());
    for (auto _ : state) {
        CConversionEngine engine;
        benchmark::DoNotOptimize(engine.NonstyledText(model, 256));
    }
    SetBytes(state, static_cast<size_t>(state.range(0)));
}
BENCHMARK(BM_NonstyledBlanks)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// The RTF reader alone, on the comparison corpus as RTF, into a sink that keeps nothing (as the
// converter's window lets paragraphs go) and into a whole TextModel (as the editor's Open does).
class CCountingSink final : public IRtfSink {
public:
    void SetParagraphFormat(uint16_t, bool) override {}
    void AppendText(std::u32string_view text, const CharFormat&) override { m_nChars += text.size(); }
    void EndParagraph(const CharFormat&) override { m_nChars += 2; }
    size_t m_nChars = 0;
};

const std::string& CorpusRtf() {
    static const std::string rtf = WriteRtf(MakeCorpusModel(CorpusText()));
    return rtf;
}

void BM_ReadRtf(benchmark::State& state) {
    for (auto _ : state) {
        CCountingSink sink;
        benchmark::DoNotOptimize(ReadRtf(CorpusRtf(), sink).bOk);
        benchmark::DoNotOptimize(sink.m_nChars);
    }
    SetBytes(state, CorpusRtf().size());
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond);

// The same RTF as it arrives from a pipe, a megabyte at a time: what reading a token again at
// the end of what has come, and checking for it, costs.
void BM_ReadRtfArriving(benchmark::State& state) {
    class CArrivingInput final : public IRtfGrowingInput {
    public:
        std::string_view Extend(size_t nWanted) override {
            m_nShown = std::min(CorpusRtf().size(), std::max(nWanted, m_nShown + (size_t{1} << 20)));
            return std::string_view(CorpusRtf()).substr(0, m_nShown);
        }
        bool Ended() const override { return m_nShown == CorpusRtf().size(); }

    private:
        size_t m_nShown = 0;
    };
    for (auto _ : state) {
        CArrivingInput input;
        CCountingSink sink;
        benchmark::DoNotOptimize(ReadRtf(input, sink).bOk);
        benchmark::DoNotOptimize(sink.m_nChars);
    }
    SetBytes(state, CorpusRtf().size());
}
BENCHMARK(BM_ReadRtfArriving)->Unit(benchmark::kMillisecond);

// The tokenizer alone, text joined as in the document's body: what is left of BM_ReadRtf is the
// reader's own work on the tokens.
void BM_TokenizeRtf(benchmark::State& state) {
    for (auto _ : state) {
        CRtfTokenizer tokenizer(CorpusRtf());
        RtfToken token;
        size_t nTokens = 0;
        while (tokenizer.Next(token, true)) ++nTokens;
        benchmark::DoNotOptimize(nTokens);
    }
    SetBytes(state, CorpusRtf().size());
}
BENCHMARK(BM_TokenizeRtf)->Unit(benchmark::kMillisecond);

void BM_ReadRtfIntoModel(benchmark::State& state) {
    for (auto _ : state) {
        TextModel model;
        benchmark::DoNotOptimize(ReadRtf(CorpusRtf(), model).bOk);
    }
    SetBytes(state, CorpusRtf().size());
}
BENCHMARK(BM_ReadRtfIntoModel)->Unit(benchmark::kMillisecond);

void BM_ReverseRtlText(benchmark::State& state) {
    std::u32string line = CorpusText().substr(0, 200);
    for (auto _ : state) {
        ReverseRtlText(line);
        benchmark::ClobberMemory();
    }
    SetBytes(state, line.size());
}
BENCHMARK(BM_ReverseRtlText);

void BM_VisualToLogical(benchmark::State& state) {
    for (auto _ : state) {
        std::u32string result;
        VisualToLogical(CorpusText(), result);
        benchmark::DoNotOptimize(result);
    }
    SetBytes(state, CorpusText().size());
}
BENCHMARK(BM_VisualToLogical)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::bench

BENCHMARK_MAIN();
