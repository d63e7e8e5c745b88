#include "ClipboardWriter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace velmora {

namespace {

// The clipboard, when the platform has one that other programs can read: without a display
// server there is nothing to hand the text to.
QClipboard* SystemClipboard() {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return nullptr;
    return QGuiApplication::clipboard();
}

}  // namespace

bool PutTextOnClipboard(const QString& strText) {
    QClipboard* pClipboard = SystemClipboard();
    if (pClipboard == nullptr) return false;
    // One plain-text format only, so that everything the clipboard held before is gone.
    auto* pData = new QMimeData;
    pData->setText(strText);
    pClipboard->setMimeData(pData, QClipboard::Clipboard);
    return !pClipboard->supportsSelection() || pClipboard->ownsClipboard();
}

bool ClearClipboard() {
    QClipboard* pClipboard = SystemClipboard();
    if (pClipboard == nullptr) return false;
    pClipboard->clear(QClipboard::Clipboard);
    return true;
}

QString ReadClipboardText(bool& bHasText, bool& bOpened) {
    bHasText = false;
    QClipboard* pClipboard = SystemClipboard();
    bOpened = pClipboard != nullptr;
    if (pClipboard == nullptr) return {};
    const QMimeData* pData = pClipboard->mimeData(QClipboard::Clipboard);
    if (pData == nullptr || !pData->hasText()) return {};
    bHasText = true;
    return pData->text();
}

}  // namespace velmora
