#pragma once
// The help document: where it lives, and reading it into the help window's pane.

#include <QString>

class QTextDocument;

namespace velmora {

// The help file: Content/Orvandel.rtf under the directory the program was started in when it is
// there, else the one installed with the program under strInstalledDir (the folder that holds
// Content), else the first path, so that the error names the file the user is expected to put
// beside the authoring tool. With the platform's own separators.
QString HelpFilePath(const QString& strWorkDir, const QString& strInstalledDir);
// HelpFilePath with the installed folder: share/velmora next to the program's bin folder.
QString HelpFilePath(const QString& strWorkDir);
// share/velmora beside the folder the running program sits in.
QString InstalledDataDir();

// Why the help file could not be read.
enum class HelpFileError {
    None,
    NotFound,
    AccessDenied,
    Unreadable,
    Other
};

// The message for a help file that could not be opened or read; names strPath in full, and for
// Unreadable gives strReason (the RTF reader's).
QString HelpFileErrorText(HelpFileError error, const QString& strPath, const QString& strReason = QString());

// Reads the RTF file at strPath into doc, replacing doc's content. When the file cannot be
// opened, or is not RTF, or is cut short, doc is left empty and the reason is returned, with the
// reader's own words in strReason for Unreadable.
HelpFileError LoadHelpDocument(const QString& strPath, QTextDocument& doc, QString& strReason);

}  // namespace velmora
