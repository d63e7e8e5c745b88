#include "ModelDump.h"

#include <QList>

namespace velmora::test {

namespace {

QString DumpFormat(const CharFormat& cf) {
    QString s;
    if (cf.IsBold()) s += QLatin1Char('b');
    if (cf.IsItalic()) s += QLatin1Char('i');
    if (cf.IsUnderline()) s += QLatin1Char('u');
    if (cf.IsStrikeout()) s += QLatin1Char('s');
    if (s.isEmpty()) s = QStringLiteral("0");
    if (!cf.IsAutoColor()) s += QStringLiteral(" #%1").arg(cf.crTextColor, 6, 16, QLatin1Char('0'));
    s += QStringLiteral(" %1 %2").arg(cf.yHeight).arg(cf.bCharSet);
    return s;
}

QString DumpText(const std::u32string& text) {
    QString s = FromU32(text);
    s.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    s.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return s;
}

}  // namespace

QString FromU32(const std::u32string& s) {
    return QString::fromUcs4(s.data(), static_cast<qsizetype>(s.size()));
}

std::u32string ToU32(const QString& s) {
    const QList<uint> units = s.toUcs4();
    return std::u32string(units.begin(), units.end());
}

QString DumpModel(const TextModel& model) {
    QString out;
    const std::u32string& text = model.Text();
    for (size_t p = 0; p < model.ParagraphCount(); ++p) {
        const Paragraph& para = model.ParagraphAt(p);
        static const char* const kAlign[] = {"?", "L", "R", "C", "J"};
        out += QStringLiteral("{%1%2}").arg(QLatin1String(kAlign[para.wAlignment <= 4 ? para.wAlignment : 0]),
                                            para.bRtl ? QStringLiteral(" rtl") : QString());
        int32_t pos = para.nStart;
        const int32_t end = model.ParagraphEnd(p);
        while (pos < end) {
            const uint32_t id = model.FormatIdAt(pos);
            int32_t runEnd = pos;
            while (runEnd < end && model.FormatIdAt(runEnd) == id) ++runEnd;
            out += QStringLiteral("[%1:%2]").arg(DumpFormat(model.FormatById(id)),
                                                 DumpText(text.substr(static_cast<size_t>(pos),
                                                                      static_cast<size_t>(runEnd - pos))));
            pos = runEnd;
        }
    }
    return out;
}

}  // namespace velmora::test
