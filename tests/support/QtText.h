#pragma once
// The editor's tests hold text as QString and models as UTF-32: both ways, and a model's dump
// (ModelText.h) as a QString for QCOMPARE.

#include "ModelText.h"
#include "TextModel.h"

#include <QString>

namespace velmora::test {

QString FromU32(const std::u32string& s);
std::u32string ToU32(const QString& s);
inline QString DumpModelText(const TextModel& model) { return QString::fromStdString(DumpModel(model)); }

}  // namespace velmora::test
