#pragma once
// The help document: where it lives, and reading it into the help window's pane.

#include <QString>

class QTextDocument;

namespace velmora {

// The help file under the directory the program was started in: strWorkDir followed by
// Content/Orvandel.rtf, with the platform's own separators.
QString HelpFilePath(const QString& strWorkDir);

// Why the help file could not be read.
enum class HelpFileError { None, NotFound, AccessDenied, Other };

// The message for a help file that could not be opened; names strPath in full.
QString HelpFileErrorText(HelpFileError error, const QString& strPath);

// Reads the RTF file at strPath into doc, replacing doc's content. When the file cannot be
// opened, doc is left empty and the reason is returned; a file that opens is read as far as the
// RTF reader gets.
HelpFileError LoadHelpDocument(const QString& strPath, QTextDocument& doc);

}  // namespace velmora
