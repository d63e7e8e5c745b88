#include "RtfFile.h"

#if VELMORA_HAVE_RTF
#include "RtfFile.h"
#endif

namespace velmora {

#if VELMORA_HAVE_RTF
// Filled in once the RTF reader and writer are part of the build.
#else
bool LoadRtfFile(const QString&, TextModel&, QString& strError) {
    strError = QStringLiteral("This build of Velmora cannot read RTF.");
    return false;
}

bool SaveRtfFile(const QString&, const TextModel&, QString& strError) {
    strError = QStringLiteral("This build of Velmora cannot write RTF.");
    return false;
}
#endif

}  // namespace velmora
