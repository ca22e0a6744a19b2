#include "ui/widgets/ReadOnlyAccessibleText.h"

#include <algorithm>

namespace orvex {

QString ReadOnlyAccessibleText::text(int startOffset, int endOffset) const {
    const QString whole = wholeText();
    const qsizetype size = whole.size();
    // An end of -1 means the end of the text.
    const qsizetype end = endOffset < 0 ? size : std::min<qsizetype>(endOffset, size);
    const qsizetype start = std::clamp<qsizetype>(startOffset, 0, end);
    return whole.mid(start, end - start);
}

QString ReadOnlyAccessibleText::attributes(int offset, int* startOffset, int* endOffset) const {
    Q_UNUSED(offset);
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void ReadOnlyAccessibleText::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    Q_UNUSED(selectionIndex);
    *startOffset = 0;
    *endOffset = 0;
}

}  // namespace orvex
