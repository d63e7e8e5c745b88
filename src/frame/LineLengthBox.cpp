#include "LineLengthBox.h"

#include <QComboBox>

#include <climits>

namespace velmora {

int LeadingInteger(const QString& text) {
    int i = 0;
    const int n = static_cast<int>(text.size());
    while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n')) ++i;
    bool bNegative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) bNegative = text[i++] == u'-';
    long long value = 0;
    for (; i < n && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > INT_MAX) value = INT_MAX;  // a box text is never this long; stay defined
    }
    return static_cast<int>(bNegative ? -value : value);
}

void RememberLineLength(QComboBox& box, int nLength, int nCapacity) {
    for (int i = 0; i < box.count(); ++i) {
        if (LeadingInteger(box.itemText(i)) == nLength) {
            box.setCurrentIndex(i);
            return;
        }
    }
    if (box.count() >= nCapacity && box.count() > 0) {
        // Item 0 is the 256 the box started with; it stays unless something replaced it.
        box.removeItem(LeadingInteger(box.itemText(0)) == 256 && box.count() > 1 ? 1 : 0);
    }
    box.addItem(QString::number(nLength));
    box.setCurrentIndex(box.count() - 1);
}

void ShrinkToCapacity(QComboBox& box, int nNewCapacity, int nOldCapacity) {
    if (nNewCapacity >= nOldCapacity) return;
    const int nExtra = box.count() - nNewCapacity;
    if (nExtra <= 0) return;
    for (int i = 0; i < nExtra && box.count() > 1; ++i) {
        if (!box.itemText(1).isEmpty()) box.removeItem(1);
    }
    box.setCurrentIndex(nNewCapacity - 1);
}

bool SelectedLineLength(const QComboBox& box, int& nLength) {
    const int nIndex = box.currentIndex();
    if (nIndex < 0) return false;
    nLength = LeadingInteger(box.itemText(nIndex).left(60));
    return true;
}

}  // namespace velmora
