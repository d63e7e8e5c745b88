// Copy to HTML inside the editor against velmora-convert on the same 1 MB document: the time of
// the command (the fixed READY! waits left out) and of the converter, and the longest gap between
// two repaints of the progress window while the command runs; and the time the copy of unsaved
// changes holds the editor up.
//   editor_bench [CHARS]      (run under xvfb-run)

#include "Corpus.h"
#include "RtfWriter.h"
#include "clipboard/ClipboardWriter.h"
#include "dialogs/BlockingWait.h"
#include "doc/LineLength.h"
#include "doc/RecoveryCopy.h"
#include "doc/RtfFile.h"
#include "doc/Tesslar2Doc.h"
#include "doc/Tesslar2View.h"
#include "doc/Utf16Output.h"
#include "doc/ViewSnapshot.h"
#include "frame/MainFrame.h"
#include "richtext/DocumentBuilder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>
#include <vector>

namespace {

using namespace velmora;

// Records when the progress window paints.
class CPaintClock : public QObject {
public:
    explicit CPaintClock(QElapsedTimer& clock) : m_clock(clock) {}
    std::vector<qint64> m_paints;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override {
        if (pEvent->type() == QEvent::Paint) m_paints.push_back(m_clock.elapsed());
        return QObject::eventFilter(pWatched, pEvent);
    }

private:
    QElapsedTimer& m_clock;
};

double BestConverterMs(const QString& strRtf, int nRuns) {
    double best = 1e9;
    for (int i = 0; i < nRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        QProcess convert;
        convert.setStandardOutputFile(QProcess::nullDevice());
        convert.start(QStringLiteral(VELMORA_CONVERT_BIN), {QStringLiteral("--html"), strRtf});
        convert.waitForFinished(-1);
        best = std::min(best, static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const size_t nChars = argc > 1 ? std::stoul(argv[1]) : 1'000'000;

    QTemporaryDir dir;
    const QString strRtf = dir.filePath(QStringLiteral("bench.rtf"));
    {
        const std::string rtf = WriteRtf(bench::MakeCorpusModel(bench::MakeCorpusText(nChars)));
        QFile file(strRtf);
        if (!file.open(QIODevice::WriteOnly)) return 1;
        file.write(rtf.data(), static_cast<qint64>(rtf.size()));
    }

    // Open's two steps: the file read into the model, and the view's document filled from it
    // (best of 3 each).
    double openPhases[2] = {1e9, 1e9};
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer phase;
        phase.start();
        TextModel model;
        QString strReadError;
        if (!LoadRtfFile(strRtf, model, strReadError)) return 1;
        openPhases[0] = std::min(openPhases[0], static_cast<double>(phase.nsecsElapsed()) / 1e6);
        phase.restart();
        QTextDocument textDocument;
        FillDocument(model, textDocument);
        openPhases[1] = std::min(openPhases[1], static_cast<double>(phase.nsecsElapsed()) / 1e6);
    }

    CTesslar2Doc doc;
    QString strError;
    QElapsedTimer openClock;
    openClock.start();
    const bool bOpened = doc.OnOpenDocument(strRtf, strError);
    const double openMs = static_cast<double>(openClock.nsecsElapsed()) / 1e6;
    if (!bOpened) {
        std::fprintf(stderr, "cannot open: %s\n", qPrintable(strError));
        return 1;
    }
    // The copy of unsaved changes, a while after a change: typing stops only while the text is
    // taken from the view's document; a thread of its own writes it.
    double copyMs = 0;
    double takeMs = 1e9;
    {
        CRecoveryCopy copy(doc, dir.filePath(QStringLiteral("recovery")));
        QTextCursor(doc.GetTextDocument()).insertText(QStringLiteral("x"));
        QElapsedTimer copyClock;
        copyClock.start();
        copy.WriteNow();
        copyMs = static_cast<double>(copyClock.nsecsElapsed()) / 1e6;
        for (int run = 0; run < 3; ++run) {
            copyClock.restart();
            TextModel model;
            SnapshotDocument(*doc.GetTextDocument(), model, false);
            takeMs = std::min(takeMs, static_cast<double>(copyClock.nsecsElapsed()) / 1e6);
        }
        doc.GetTextDocument()->undo();
    }
    CMainFrame frame(&doc, false);
    frame.resize(1200, 900);
    frame.show();
    QApplication::processEvents();
    CTesslar2View* pView = frame.GetActiveView();
    // The commands run as they do beside an open Dreamweaver window.
    pView->SetHostCheck([] { return HostState::Ready; });

    // The two 500 ms waits that show 100% and READY! are the same for every document.
    SetBlockingWait([](int) {});
    QElapsedTimer clock;
    CPaintClock paints(clock);
    pView->m_wndProgress.installEventFilter(&paints);
    double bestCommand = 1e9;
    qint64 nLongestGap = 0;
    // The first run also lays out the part of the document the window has not shown yet.
    for (int run = 0; run < 5; ++run) {
        paints.m_paints.clear();
        clock.start();
        pView->OnCopyToHtml();
        const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        bestCommand = std::min(bestCommand, ms);
        qint64 last = 0;
        for (qint64 t : paints.m_paints) {
            if (t - last > 150)
                std::fprintf(stderr, "run %d: gap %lld ms ending at %lld of %.0f\n", run,
                             static_cast<long long>(t - last), static_cast<long long>(t), ms);
            nLongestGap = std::max(nLongestGap, t - last);
            last = t;
        }
    }
    // Where the command's time goes: the snapshot of the view, the conversion with its output
    // gathered as UTF-16, and the hand-over to the clipboard (best of 3 each).
    double phases[3] = {1e9, 1e9, 1e9};
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer phase;
        phase.start();
        TextModel model;
        SnapshotView(*pView, model);
        phases[0] = std::min(phases[0], static_cast<double>(phase.nsecsElapsed()) / 1e6);
        phase.restart();
        CUtf16Output output;
        pView->m_engine.SetOutputSink([&output](std::u32string_view part) { output.Add(part); });
        pView->m_engine.CopyToHtml(model, g_nLineLength);
        pView->m_engine.SetOutputSink(nullptr);
        phases[1] = std::min(phases[1], static_cast<double>(phase.nsecsElapsed()) / 1e6);
        phase.restart();
        const QString text = output.Take();
        PutTextOnClipboard(text);
        phases[2] = std::min(phases[2], static_cast<double>(phase.nsecsElapsed()) / 1e6);
    }
    const double converter = BestConverterMs(strRtf, 5);
    std::printf("document: %zu characters, %lld bytes of RTF\n", nChars, static_cast<long long>(QFile(strRtf).size()));
    std::printf("Open: %.1f ms (once); the file into the model %.1f ms, the view's document from it %.1f ms\n", openMs,
                openPhases[0], openPhases[1]);
    std::printf("Copy of unsaved changes: %.1f ms in all (once), of which typing waits %.1f ms (best of 3)\n", copyMs,
                takeMs);
    std::printf("Copy to HTML in the editor: %.1f ms (best of 5, READY! waits left out)\n", bestCommand);
    std::printf("  snapshot %.1f ms, conversion to UTF-16 %.1f ms, clipboard %.1f ms\n", phases[0], phases[1],
                phases[2]);
    std::printf("velmora-convert --html:     %.1f ms (best of 5, whole process)\n", converter);
    std::printf("ratio: %.2f; longest gap between progress repaints: %lld ms\n", bestCommand / converter,
                static_cast<long long>(nLongestGap));
    return 0;
}
