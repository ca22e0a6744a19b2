#include "support/ReceiverFixture.h"

namespace orvex::test {

std::vector<LatchedWord> latchedWords(const std::vector<int>& dataWrites) {
    std::vector<LatchedWord> words;
    int previous = 0;
    LatchedWord shifting;
    for (const int lines : dataWrites) {
        const bool clockRises = (lines & 16) != 0 && (previous & 16) == 0;
        const bool enableRises = (lines & 32) != 0 && (previous & 32) == 0;
        if (clockRises) {
            shifting.value = (shifting.value << 1) | ((lines & 64) != 0 ? 1 : 0);
            ++shifting.bits;
        }
        if (enableRises) {
            words.push_back(shifting);
            shifting = {};
        }
        previous = lines;
    }
    return words;
}

}  // namespace orvex::test
