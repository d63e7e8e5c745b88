#pragma once
// The snapshot of the view into the engine's text model: what the conversion commands run on.
//
// Positions: the model counts Unicode characters and every paragraph break as the two characters
// CR LF; Qt counts UTF-16 units and a block boundary as one character. The functions below map
// between the two over a model taken from the same document.

#include "TextModel.h"

#include <cstdint>
#include <functional>

class QTextDocument;
class QTextEdit;

namespace velmora {

// Fills model with doc's text (CR LF between blocks; U+2028 read as LF), each character's format,
// each paragraph's physical alignment and direction. With bWithLines the model takes the lines
// of doc's current layout (laying out what is not laid out yet), otherwise one line a paragraph.
// The selection is left at 0, 0. fnTick, when given, is called every few blocks.
void SnapshotDocument(const QTextDocument& doc, TextModel& model, bool bWithLines,
                      const std::function<void()>& fnTick = {});

// SnapshotDocument of view's document with its lines as the view lays them out at its current
// width, and view's selection (anchor order dropped: start <= end).
void SnapshotView(const QTextEdit& view, TextModel& model, const std::function<void()>& fnTick = {});

// The model position of Qt position nQtPos of doc; model must be a snapshot of doc.
int32_t ModelPosition(const QTextDocument& doc, const TextModel& model, int nQtPos);

// The Qt position of model position nPos (clamped to the text). A position inside a CR LF maps
// to the end of its paragraph's text.
int QtPosition(const QTextDocument& doc, const TextModel& model, int32_t nPos);

}  // namespace velmora
