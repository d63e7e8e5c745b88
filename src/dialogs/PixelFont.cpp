#include "dialogs/PixelFont.h"

#include <QPainter>

#include <array>
#include <string_view>

namespace velmora {
namespace {

struct Glyph {
    char ch;
    std::array<std::string_view, 5> rows;  // 'X' lit, '.' dark; all rows of one glyph equally wide
};

constexpr Glyph kGlyphs[] = {
    {'C', {".XX", "X..", "X..", "X..", ".XX"}}, {'H', {"X.X", "X.X", "XXX", "X.X", "X.X"}},
    {'L', {"X.", "X.", "X.", "X.", "XX"}},      {'M', {"X...X", "XX.XX", "X.X.X", "X...X", "X...X"}},
    {'S', {"XXX", "X..", "XXX", "..X", "XXX"}}, {'T', {"XXX", ".X.", ".X.", ".X.", ".X."}},
};

const Glyph* FindGlyph(QChar ch) {
    for (const Glyph& glyph : kGlyphs) {
        if (QChar(glyph.ch) == ch) return &glyph;
    }
    return nullptr;
}

int GlyphWidth(const Glyph* pGlyph) { return pGlyph ? static_cast<int>(pGlyph->rows[0].size()) : 3; }

}  // namespace

int PixelTextWidth(QStringView text) {
    int nWidth = 0;
    for (QChar ch : text) nWidth += GlyphWidth(FindGlyph(ch)) + 1;
    return nWidth > 0 ? nWidth - 1 : 0;
}

void DrawPixelText(QPainter& painter, QPointF ptTopLeft, QStringView text, const QColor& color) {
    double x = ptTopLeft.x();
    for (QChar ch : text) {
        const Glyph* pGlyph = FindGlyph(ch);
        if (pGlyph) {
            for (size_t nRow = 0; nRow < pGlyph->rows.size(); ++nRow) {
                const std::string_view row = pGlyph->rows[nRow];
                for (size_t nCol = 0; nCol < row.size(); ++nCol) {
                    if (row[nCol] == 'X')
                        painter.fillRect(
                            QRectF(x + static_cast<double>(nCol), ptTopLeft.y() + static_cast<double>(nRow), 1, 1),
                            color);
                }
            }
        }
        x += GlyphWidth(pGlyph) + 1;
    }
}

}  // namespace velmora
