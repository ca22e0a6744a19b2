#pragma once

#include <QStringView>
#include <cstdint>
#include <vector>

namespace orvex {

// The seven segments of a digit cell, one bit each:
//
//    aaa
//   f   b
//    ggg
//   e   c
//    ddd
enum class Segment : std::uint8_t { A, B, C, D, E, F, G };

constexpr std::uint8_t segmentBit(Segment segment) {
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(segment));
}

// One digit position of the display: the segments lit and its decimal point.
struct SegmentCell {
    std::uint8_t segments = 0;
    bool point = false;

    bool operator==(const SegmentCell&) const = default;
};

// Segments for a digit, '-', '_' or ' '; nothing for any other character.
std::uint8_t segmentsOf(QChar character);

// Splits a text into cells: each character but '.' takes a cell, and a '.' lights the point of
// the cell before it (or of a blank cell of its own when there is none, or it already has one).
std::vector<SegmentCell> segmentCells(QStringView text);

}  // namespace orvex
