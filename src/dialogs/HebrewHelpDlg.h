#pragma once
// The Hebrew help window: the help document in a pane that the user cannot scroll, and a column
// of topic buttons, each of which brings its topic's heading to the top of the pane.
//
// The document is read from Content/Orvandel.rtf under the directory the program was started
// in, every time the window opens. When it cannot be opened, a message names the full path and
// the window opens all the same with an empty pane, where the buttons find nothing.

#include <QDialog>
#include <QString>

#include <optional>

class QPushButton;
class QTextEdit;

namespace velmora {

// Control ids of the topic buttons, top to bottom.
inline constexpr int kTopicGeneral = 1010;
inline constexpr int kTopicCopyToHtml = 1005;
inline constexpr int kTopicPaste = 1007;
inline constexpr int kTopicNonstyled = 1011;
inline constexpr int kTopicClearClipboard = 1008;
inline constexpr int kTopicEraseScreen = 1012;

// The heading a topic button looks for (empty for an unknown id).
QString TopicHeading(int nButtonId);

class CHebrewHelpDlg : public QDialog {
    Q_OBJECT
public:
    // Builds the window and loads the help file under strWorkDir (the working directory of the
    // start-up), showing the file error, if any, before returning. pParent may be null.
    explicit CHebrewHelpDlg(const QString& strWorkDir, QWidget* pParent = nullptr);

    // The number of lines to scroll so that the first occurrence of strHeading (letter case
    // and all) reaches the top of the pane, or -1 when the text does not hold it.
    int FindHeading(const QString& strHeading) const;

    // What a topic button does: FindHeading with its heading, then scrolls by that many lines
    // unless the heading was not found.
    void OnTopic(int nButtonId);

    // The topic button with the given id (1010, 1005, 1007, 1011, 1008, 1012), or null.
    QPushButton* TopicButton(int nButtonId) const;
    QTextEdit* Pane() const { return m_ctlText; }
    QString HelpFile() const { return m_strHelpFile; }

private:
    // The line difference of FindHeading, or nothing when the heading does not occur; unlike
    // FindHeading's -1 this keeps "one line above the top" apart from "not found".
    std::optional<int> LinesToHeading(const QString& strHeading) const;
    void CreateControls();
    void LoadHelpFile();

    QTextEdit* m_ctlText;
    QString m_strHelpFile;
};

// Opens the help window modally for the program started in strWorkDir, over pOver (the main
// window) when given; returns when it closes.
void ShowHebrewHelp(const QString& strWorkDir, QWidget* pOver = nullptr);

}  // namespace velmora
