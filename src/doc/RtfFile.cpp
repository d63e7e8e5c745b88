#include "RtfFile.h"

#include "AtomicFile.h"
#include "NativePath.h"
#include "RtfReader.h"
#include "RtfWriter.h"

#include <string>

namespace velmora {

bool LoadRtfFile(const QString& strPath, TextModel& model, QString& strError, QString* pCutShort, uint8_t* pUnkept) {
    std::string bytes;
    std::string strReason;
    if (!ReadWholeFile(NativePath(strPath), bytes, strReason)) {
        strError = QString::fromStdString(strReason);
        return false;
    }
    TextModel read;
    const RtfReadResult result = ReadRtf(bytes, read);
    if (!result.bOk) {
        strError = QString::fromStdString(result.strError);
        return false;
    }
    model = std::move(read);
    if (pCutShort) *pCutShort = QString::fromStdString(result.strCutShort);
    if (pUnkept) *pUnkept = result.nUnkept;
    return true;
}

bool SaveRtfFile(const QString& strPath, const TextModel& model, QString& strError) {
    std::string strReason;
    if (!WriteFileAtomically(NativePath(strPath), WriteRtf(model), strReason)) {
        strError = QString::fromStdString(strReason);
        return false;
    }
    return true;
}

}  // namespace velmora
