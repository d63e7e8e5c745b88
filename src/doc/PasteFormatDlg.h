#pragma once
// Paste Special: lists the clipboard formats the view can paste and lets the user pick one.

#include <QDialog>
#include <QStringList>

class QListWidget;
class QMimeData;

namespace velmora {

// The MIME types under which programs put RTF on the clipboard.
const QStringList& RtfMimeTypes();

class CPasteFormatDlg : public QDialog {
    Q_OBJECT
public:
    // Offers the formats of pSource that PastableFormats() names; the list may be empty.
    CPasteFormatDlg(const QMimeData* pSource, QWidget* pParent);
    // The chosen MIME type, or an empty string.
    QString SelectedFormat() const;

    // The MIME types of pSource the view can paste, richest first, each with its display name.
    static QList<QPair<QString, QString>> PastableFormats(const QMimeData* pSource);

private:
    QListWidget* m_listFormats;
};

}  // namespace velmora
