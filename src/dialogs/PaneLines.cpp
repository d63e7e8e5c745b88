#include "dialogs/PaneLines.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <vector>

namespace velmora {
namespace {

struct LineSpan {
    double dTop;
    double dBottom;
};

// Every line of the document, top to bottom, in document coordinates (the pane's scroll value
// is one of these coordinates at the viewport's top edge).
std::vector<LineSpan> LayoutLines(const QTextEdit& pane) {
    std::vector<LineSpan> lines;
    QTextDocument* pDoc = pane.document();
    QAbstractTextDocumentLayout* pLayout = pDoc->documentLayout();
    for (QTextBlock block = pDoc->begin(); block.isValid(); block = block.next()) {
        const QRectF rcBlock = pLayout->blockBoundingRect(block);  // lays the block out
        const QTextLayout* pText = block.layout();
        if (!pText || pText->lineCount() == 0) {
            lines.push_back({rcBlock.top(), rcBlock.bottom()});
            continue;
        }
        const double dOrigin = pText->position().y();
        for (int i = 0; i < pText->lineCount(); ++i) {
            const QTextLine line = pText->lineAt(i);
            lines.push_back({dOrigin + line.y(), dOrigin + line.y() + line.height()});
        }
    }
    return lines;
}

}  // namespace

int LineFromChar(const QTextEdit& pane, int nPos) {
    QTextDocument* pDoc = pane.document();
    const QTextBlock target = pDoc->findBlock(nPos);
    if (!target.isValid()) return 0;
    QAbstractTextDocumentLayout* pLayout = pDoc->documentLayout();
    int nLine = 0;
    for (QTextBlock block = pDoc->begin(); block.isValid() && block != target; block = block.next()) {
        pLayout->blockBoundingRect(block);
        nLine += block.layout() ? qMax(1, block.layout()->lineCount()) : 1;
    }
    pLayout->blockBoundingRect(target);
    const QTextLayout* pText = target.layout();
    if (!pText || pText->lineCount() == 0) return nLine;
    const QTextLine line = pText->lineForTextPosition(nPos - target.position());
    return nLine + (line.isValid() ? line.lineNumber() : 0);
}

int FirstVisibleLine(const QTextEdit& pane) {
    const double dTop = pane.verticalScrollBar()->value();
    const std::vector<LineSpan> lines = LayoutLines(pane);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].dBottom > dTop + 0.5) return static_cast<int>(i);
    }
    return lines.empty() ? 0 : static_cast<int>(lines.size()) - 1;
}

void LineScroll(QTextEdit& pane, int nLines) {
    const std::vector<LineSpan> lines = LayoutLines(pane);
    if (lines.empty() || nLines == 0) return;
    const int nTarget = qBound(0, FirstVisibleLine(pane) + nLines, static_cast<int>(lines.size()) - 1);
    // Line 0 keeps the document's top margin in view; any other line's top meets the edge.
    const int nValue = nTarget == 0 ? 0 : qRound(lines[static_cast<size_t>(nTarget)].dTop);
    pane.verticalScrollBar()->setValue(nValue);  // the scroll bar stops at its end by itself
}

}  // namespace velmora
