// Replays fuzz inputs through a target's entry function where libFuzzer is not linked (gcc, or
// clang outside the fuzz preset), so every corpus runs as an ordinary test in every build. Each
// argument is an input file or a folder whose files (subfolders too) are replayed in name order.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "support/TestFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> inputsUnder(const fs::path& where) {
    if (!fs::is_directory(where)) {
        return {where};
    }
    std::vector<fs::path> inputs;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(where)) {
        if (entry.is_regular_file()) {
            inputs.push_back(entry.path());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path where(argv[i]);
        if (!fs::exists(where)) {
            std::cerr << where.string() << " does not exist\n";
            return 1;
        }
        for (const fs::path& input : inputsUnder(where)) {
            // A failing input aborts the program: the last name printed is the one that failed.
            std::cout << input.string() << std::endl;
            const std::string bytes = orvex::test::readFile(input);
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size());
            ++replayed;
        }
    }
    if (replayed == 0) {
        std::cerr << "No inputs to replay: name corpus folders or files\n";
        return 1;
    }
    std::cout << "Replayed " << replayed << " inputs, every check held\n";
    return 0;
}
