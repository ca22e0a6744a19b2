#include "core/Excerpt.h"

namespace orvex {

std::string excerpt(std::string_view text) {
    std::string shown;
    for (const char c : text.substr(0, ExcerptLongest)) {
        shown += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return text.size() > ExcerptLongest ? shown + "..." : shown;
}

}  // namespace orvex
