#include "FormatMapping.h"

#include "CharSet.h"

#include <QBrush>
#include <QStyle>

#include <cmath>

namespace velmora {

CharFormat CharFormatFromQt(const QTextCharFormat& cf, qreal nDefaultPointSize) {
    const QBrush brush = cf.foreground();
    const bool bAuto = !cf.hasProperty(QTextFormat::ForegroundBrush) || brush.style() == Qt::NoBrush;
    uint32_t crColor = 0;
    if (!bAuto) {
        const QColor c = brush.color();
        crColor = static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
                  static_cast<uint32_t>(c.blue()) << 16;
    }
    const qreal nPoints = cf.hasProperty(QTextFormat::FontPointSize) ? cf.fontPointSize() : nDefaultPointSize;
    const auto yHeight = static_cast<int32_t>(std::lround(nPoints * 20.0));
    return MakeCharFormat(cf.fontWeight() >= QFont::DemiBold, cf.fontItalic(), cf.fontUnderline(), cf.fontStrikeOut(),
                          bAuto, crColor, yHeight, CharSetOf(cf));
}

QTextCharFormat QtFromCharFormat(const CharFormat& cf) {
    QTextCharFormat q;
    q.setFontWeight(cf.IsBold() ? QFont::Bold : QFont::Normal);
    q.setFontItalic(cf.IsItalic());
    q.setFontUnderline(cf.IsUnderline());
    q.setFontStrikeOut(cf.IsStrikeout());
    if (cf.yHeight > 0) q.setFontPointSize(cf.yHeight / 20.0);
    if (!cf.IsAutoColor()) {
        const uint32_t cr = cf.crTextColor;
        q.setForeground(QColor(static_cast<int>(cr & 0xFF), static_cast<int>((cr >> 8) & 0xFF),
                               static_cast<int>((cr >> 16) & 0xFF)));
    }
    SetCharSet(q, cf.bCharSet);
    return q;
}

uint16_t PhysicalAlignment(Qt::Alignment alignment, Qt::LayoutDirection direction) {
    const Qt::Alignment visual = QStyle::visualAlignment(direction, alignment) & Qt::AlignHorizontal_Mask;
    if (visual & Qt::AlignJustify) return PFA_JUSTIFY;
    if (visual & Qt::AlignHCenter) return PFA_CENTER;
    if (visual & Qt::AlignRight) return PFA_RIGHT;
    return PFA_LEFT;
}

Qt::Alignment QtAlignment(uint16_t wAlignment) {
    switch (wAlignment) {
    case PFA_RIGHT: return Qt::AlignRight | Qt::AlignAbsolute;
    case PFA_CENTER: return Qt::AlignHCenter;
    case PFA_JUSTIFY: return Qt::AlignJustify;
    default: return Qt::AlignLeft | Qt::AlignAbsolute;
    }
}

QTextBlockFormat QtBlockFormat(uint16_t wAlignment, bool bRtl) {
    QTextBlockFormat bf;
    bf.setAlignment(QtAlignment(wAlignment));
    bf.setLayoutDirection(bRtl ? Qt::RightToLeft : Qt::LeftToRight);
    return bf;
}

}  // namespace velmora
