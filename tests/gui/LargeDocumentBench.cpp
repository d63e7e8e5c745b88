// How long the editor's window is busy with a large document: opening a 1 MB RTF file, showing
// and scrolling it, taking the snapshot a conversion takes, and saving it. Prints one line per
// step in milliseconds; the window must never be busy for more than a second at a time.
//
// Usage: velmora_bench_large_document [megabytes]   (needs a display, e.g. under xvfb-run)

#include "RtfWriter.h"
#include "TextModel.h"
#include "doc/RtfFile.h"
#include "doc/Tesslar2Doc.h"
#include "doc/Tesslar2View.h"
#include "doc/ViewSnapshot.h"
#include "frame/MainFrame.h"
#include "richtext/DocumentBuilder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <functional>

using namespace velmora;

namespace {

// A document of about nBytes of RTF: right-aligned Hebrew paragraphs with Latin words, digits
// and a bold or coloured word here and there.
TextModel MakeDocument(qint64 nBytes) {
    TextModel model;
    const std::u32string hebrew = U"שלום עולם זהו טקסט לדוגמה בעברית ";
    const std::u32string latin = U"Velmora 2024 ";
    CharFormat bold = HebrewTypingFormat();
    bold.dwEffects |= CFE_BOLD;
    CharFormat red = MakeCharFormat(false, false, false, false, false, 0x0000FF, 240, ANSI_CHARSET);
    model.SetParagraphAlignment(PFA_RIGHT);
    model.SetParagraphRtl(true);
    int n = 0;
    while (static_cast<qint64>(WriteRtf(model).size()) < nBytes) {
        for (int i = 0; i < 400; ++i, ++n) {
            model.Append(hebrew, HebrewTypingFormat());
            model.Append(latin, n % 7 == 0 ? red : HebrewTypingFormat());
            model.Append(U"מודגש ", bold);
            if (n % 6 == 5) model.BreakParagraph(HebrewTypingFormat());
        }
    }
    return model;
}

double Time(const std::function<void()>& step) {
    QElapsedTimer timer;
    timer.start();
    step();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    const double nMegabytes = argc > 1 ? std::atof(argv[1]) : 1.0;
    const QString strPath = dir.filePath(QStringLiteral("large.rtf"));
    {
        const std::string rtf = WriteRtf(MakeDocument(static_cast<qint64>(nMegabytes * 1024 * 1024)));
        QFile file(strPath);
        if (!file.open(QIODevice::WriteOnly)) return 1;
        file.write(rtf.data(), static_cast<qint64>(rtf.size()));
    }

    CTesslar2Doc doc;
    CMainFrame frame(&doc, false);
    frame.resize(900, 700);
    frame.show();
    app.processEvents();
    CTesslar2View* pView = frame.GetActiveView();

    std::printf("file                 %8.0f KB\n", static_cast<double>(QFileInfo(strPath).size()) / 1024.0);
    {
        TextModel read;
        QString strReadError;
        std::printf("  read the RTF       %8.1f ms\n", Time([&] { LoadRtfFile(strPath, read, strReadError); }));
        QTextDocument scratch;
        std::printf("  fill a document    %8.1f ms\n", Time([&] { FillDocument(read, scratch); }));
    }
    std::printf("open                 %8.1f ms\n", Time([&] { frame.OpenDocumentFile(strPath); }));
    std::printf("characters           %8d in %d paragraphs\n", doc.GetTextDocument()->characterCount(),
                doc.GetTextDocument()->blockCount());
    std::printf("first paint          %8.1f ms\n", Time([&] { pView->viewport()->repaint(); }));
    std::printf("scroll to the end    %8.1f ms\n", Time([&] {
                    pView->verticalScrollBar()->setValue(pView->verticalScrollBar()->maximum());
                    pView->viewport()->repaint();
                }));
    std::printf("scroll to the middle %8.1f ms\n", Time([&] {
                    pView->verticalScrollBar()->setValue(pView->verticalScrollBar()->maximum() / 2);
                    pView->viewport()->repaint();
                }));
    std::printf("page down            %8.1f ms\n", Time([&] {
                    pView->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
                    pView->viewport()->repaint();
                }));
    TextModel snapshot;
    const double nSnapshotMs = Time([&] { SnapshotView(*pView, snapshot); });
    std::printf("snapshot with lines  %8.1f ms (%d lines)\n", nSnapshotMs, snapshot.GetLineCount());
    std::printf("save                 %8.1f ms\n", Time([&] {
                    QString strError;
                    doc.OnSaveDocument(dir.filePath(QStringLiteral("saved.rtf")), strError);
                }));
    return 0;
}
