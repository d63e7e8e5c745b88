#pragma once
// A readable dump of a text model, so that tests compare whole documents at a glance:
// "{R rtl}[b 240 177:שלום][0 240 0:abc]{L}[...]" - one {alignment direction} per paragraph, then
// one [effects size charset:text] per run of one format; CR LF are shown as "\r\n".

#include "TextModel.h"

#include <QString>

namespace velmora::test {

QString DumpModel(const TextModel& model);
QString FromU32(const std::u32string& s);
std::u32string ToU32(const QString& s);

}  // namespace velmora::test
