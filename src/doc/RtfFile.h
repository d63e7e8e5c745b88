#pragma once
// Reading and writing a document file as RTF through the RTF reader and writer.

#include "TextModel.h"

#include <QString>

#include <cstdint>

namespace velmora {

// Reads the RTF file at strPath into model. Returns false with a reason in strError when the file
// cannot be read or is not RTF the reader accepts. A file cut short is read up to its end; then
// *pCutShort, if given, says how it ends ("the file ends inside a group"), else it is emptied.
// *pUnkept, if given, says what the file shows that model does not keep (RtfUnkept).
bool LoadRtfFile(const QString& strPath, TextModel& model, QString& strError, QString* pCutShort = nullptr,
                 uint8_t* pUnkept = nullptr);

// Writes model as RTF to strPath without ever leaving a half-written file there: the old file
// stays until the new one is complete. Returns false with a reason in strError.
bool SaveRtfFile(const QString& strPath, const TextModel& model, QString& strError);

}  // namespace velmora
