#pragma once
// The help document: where it lives, and reading it into the help window's pane.

#include <QString>

class QTextDocument;

namespace velmora {

// The help file under the directory the program was started in: strWorkDir followed by
// Content/Orvandel.rtf, with the platform's own separators.
QString HelpFilePath(const QString& strWorkDir);

// Why the help file could not be read.
enum class HelpFileError { None, NotFound, AccessDenied, Unreadable, Other };

// The message for a help file that could not be opened or read; names strPath in full, and for
// Unreadable gives strReason (the RTF reader's).
QString HelpFileErrorText(HelpFileError error, const QString& strPath, const QString& strReason = QString());

// Reads the RTF file at strPath into doc, replacing doc's content. When the file cannot be
// opened, or is not RTF, or is cut short, doc is left empty and the reason is returned, with the
// reader's own words in strReason for Unreadable.
HelpFileError LoadHelpDocument(const QString& strPath, QTextDocument& doc, QString& strReason);

}  // namespace velmora
