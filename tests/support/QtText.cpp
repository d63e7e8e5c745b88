#include "QtText.h"

#include <QList>

namespace velmora::test {

QString FromU32(const std::u32string& s) { return QString::fromUcs4(s.data(), static_cast<qsizetype>(s.size())); }

std::u32string ToU32(const QString& s) {
    const QList<uint> units = s.toUcs4();
    return std::u32string(units.begin(), units.end());
}

}  // namespace velmora::test
