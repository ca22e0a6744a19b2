#include "remote/RigctlRequest.h"

namespace orvex::rigctl {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Characters that are commands or reserved in their own right, so they never choose extended
// responses: the long-form backslash, get_info, comments, help and grouping.
constexpr std::string_view NotSeparators = "\\_#?()";

bool choosesExtendedResponse(char c) {
    const bool punctuation = (c >= '!' && c <= '/') || (c >= ':' && c <= '@') ||
                             (c >= '[' && c <= '`') || (c >= '{' && c <= '~');
    return punctuation && NotSeparators.find(c) == std::string_view::npos;
}

}  // namespace

Request parseRequest(std::string_view line) {
    Request request;
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i])) {
        ++i;
    }
    if (i < line.size() && choosesExtendedResponse(line[i])) {
        request.separator = line[i] == '+' ? '\n' : line[i];
        ++i;
    }
    std::vector<std::string> words;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i])) {
            ++i;
        }
        if (i > start) {
            words.emplace_back(line.substr(start, i - start));
        }
    }
    if (!words.empty()) {
        request.command = std::move(words.front());
        request.arguments.assign(std::make_move_iterator(words.begin() + 1),
                                 std::make_move_iterator(words.end()));
    }
    return request;
}

}  // namespace orvex::rigctl
