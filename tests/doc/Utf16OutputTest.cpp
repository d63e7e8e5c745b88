// The engine's output gathered as UTF-16 a stretch at a time reads exactly as the whole output
// converted at once, whatever the stretches: a byte-order mark that begins it (dropped), one
// further on (kept), characters beyond the BMP, lone surrogates and values beyond Unicode.

#include "doc/Utf16Output.h"

#include <QtTest>

#include <string>

using namespace velmora;

class tst_Utf16Output : public QObject {
    Q_OBJECT
private slots:
    void matchesTheWholeConversion_data();
    void matchesTheWholeConversion();
};

void tst_Utf16Output::matchesTheWholeConversion_data() {
    QTest::addColumn<std::u32string>("text");
    QTest::newRow("hebrew and tags") << std::u32string(U"<B>\u05E9\u05DC\u05D5\u05DD</B> abc<BR>");
    QTest::newRow("leading mark") << std::u32string(U"\uFEFF\uFEFFab\uFEFF");
    QTest::newRow("beyond the bmp") << std::u32string(U"a\U0001F600\U00010000\U0010FFFFb");
    QTest::newRow("lone surrogates") << std::u32string{U'a', char32_t(0xD800), char32_t(0xDFFF), U'b'};
    QTest::newRow("beyond unicode") << std::u32string{U'a', char32_t(0x110000), U'\uFEFF', char32_t(0xFFFFFFFF), U'b'};
}

void tst_Utf16Output::matchesTheWholeConversion() {
    QFETCH(std::u32string, text);
    const QString expected = QString::fromStdU32String(text);
    for (size_t nStretch = 1; nStretch <= text.size(); ++nStretch) {
        CUtf16Output output;
        output.Add({});  // an empty stretch first does not count as the beginning
        for (size_t p = 0; p < text.size(); p += nStretch) output.Add(std::u32string_view(text).substr(p, nStretch));
        QCOMPARE(output.Take(), expected);
    }
}

QTEST_GUILESS_MAIN(tst_Utf16Output)
#include "Utf16OutputTest.moc"
