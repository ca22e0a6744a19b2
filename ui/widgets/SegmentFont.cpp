#include "ui/widgets/SegmentFont.h"

#include <array>

namespace orvex {
namespace {

constexpr std::uint8_t pattern(std::initializer_list<Segment> segments) {
    std::uint8_t bits = 0;
    for (Segment segment : segments) {
        bits |= segmentBit(segment);
    }
    return bits;
}

using enum Segment;
// clang-format off
constexpr std::array<std::uint8_t, 10> Digits = {
    pattern({A, B, C, D, E, F}),     // 0
    pattern({B, C}),                 // 1
    pattern({A, B, D, E, G}),        // 2
    pattern({A, B, C, D, G}),        // 3
    pattern({B, C, F, G}),           // 4
    pattern({A, C, D, F, G}),        // 5
    pattern({A, C, D, E, F, G}),     // 6
    pattern({A, B, C}),              // 7
    pattern({A, B, C, D, E, F, G}),  // 8
    pattern({A, B, C, D, F, G}),     // 9
};
// clang-format on

}  // namespace

std::uint8_t segmentsOf(QChar character) {
    if (character >= u'0' && character <= u'9') {
        return Digits[character.unicode() - u'0'];
    }
    switch (character.unicode()) {
        case u'-':
            return segmentBit(G);
        case u'_':
            return segmentBit(D);
        default:
            return 0;
    }
}

std::vector<SegmentCell> segmentCells(QStringView text) {
    std::vector<SegmentCell> cells;
    for (QChar character : text) {
        if (character == u'.') {
            if (cells.empty() || cells.back().point) {
                cells.push_back({});
            }
            cells.back().point = true;
        } else {
            cells.push_back({segmentsOf(character), false});
        }
    }
    return cells;
}

}  // namespace orvex
