#pragma once
// Closes every modal window and pop-up a command opens while a test drives it, so that commands
// with dialogs (Open, Print, About...) can be sent from a test without anyone to answer them.

#include <QObject>
#include <QStringList>

class QTimer;

namespace velmora::test {

class CAutoClose : public QObject {
    Q_OBJECT
public:
    explicit CAutoClose(int nIntervalMs = 20);
    ~CAutoClose() override;
    // The window titles (or class names when untitled) of what was closed, oldest first; a message
    // box adds "|" and its text.
    const QStringList& Closed() const { return m_closed; }

private:
    void CloseOpenWindows();
    QTimer* m_pTimer;
    QStringList m_closed;
};

}  // namespace velmora::test
