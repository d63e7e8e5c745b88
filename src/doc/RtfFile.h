#pragma once
// Reading and writing a document file as RTF through the RTF reader and writer.

#include "TextModel.h"

#include <QString>

namespace velmora {

// Reads the RTF file at strPath into model. Returns false with a reason in strError when the file
// cannot be read or is not RTF the reader accepts.
bool LoadRtfFile(const QString& strPath, TextModel& model, QString& strError);

// Writes model as RTF to strPath without ever leaving a half-written file there: the old file
// stays until the new one is complete. Returns false with a reason in strError.
bool SaveRtfFile(const QString& strPath, const TextModel& model, QString& strError);

}  // namespace velmora
