#pragma once
// Fills a QTextDocument from a text model: one Qt block per model paragraph (its alignment and
// direction), one Qt fragment per run of characters in one format.

#include "TextModel.h"

class QTextCursor;
class QTextDocument;

namespace velmora {

// Replaces the content of doc by model's text. The CR LF of a paragraph break become the block
// boundary (their format the new block's character format); a CR or LF inside a paragraph
// becomes a line separator (U+2028), which the snapshot reads back as LF. The undo history is
// cleared and the document is left unmodified.
void FillDocument(const TextModel& model, QTextDocument& doc);

// Inserts model's text at cursor (replacing its selection) as one undo step: the first
// paragraph joins the paragraph at the cursor and keeps its format, every later one opens a
// block with its own alignment and direction. Leaves cursor after the inserted text.
void InsertModel(const TextModel& model, QTextCursor& cursor);

}  // namespace velmora
