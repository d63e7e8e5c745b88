#include "CharSet.h"

#include "CharFormat.h"
#include "UnicodeLetters.h"

#include <QTextCharFormat>

namespace velmora {

uint8_t CharSetOf(const QTextCharFormat& cf) {
    const QVariant v = cf.property(kCharSetProperty);
    return v.isValid() ? static_cast<uint8_t>(v.toInt()) : HEBREW_CHARSET;
}

void SetCharSet(QTextCharFormat& cf, uint8_t nCharSet) { cf.setProperty(kCharSetProperty, int{nCharSet}); }

bool HasCharSet(const QTextCharFormat& cf) { return cf.hasProperty(kCharSetProperty); }

uint8_t TypedCharSet(char32_t ch, bool bHebrewLayout, uint8_t nInsertionSet) {
    if (bHebrewLayout || IsHebrewScript(ch)) return HEBREW_CHARSET;
    return nInsertionSet;
}

}  // namespace velmora
