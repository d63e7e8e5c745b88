#pragma once
// What a drag brings that the editor opens rather than inserts: a file of this computer, dragged from
// a file manager.

#include <QMimeData>
#include <QString>
#include <QUrl>

namespace velmora {

// The first local file among what is dragged, or nothing (text, links from a browser, a selection).
inline QString DraggedLocalFile(const QMimeData* pData) {
    if (!pData || !pData->hasUrls()) return {};
    for (const QUrl& url : pData->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}

}  // namespace velmora
