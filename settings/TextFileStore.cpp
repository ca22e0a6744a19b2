#include "settings/TextFileStore.h"

#include <utility>

#include "files/PlainReason.h"
#include "files/SafeFile.h"
#include "files/SaveTarget.h"

namespace orvex {

TextFileStore::TextFileStore(std::filesystem::path path, Rules rules, WriteRights rights)
    : path_(std::move(path)), rules_(rules), rights_(rights) {}

std::optional<std::string> TextFileStore::read() const {
    return readWholeFile(path_, rules_.maxBytes, rules_.kind);
}

void TextFileStore::write(std::string_view bytes) const {
    replace(bytes, nullptr);
}

void TextFileStore::writeOver(std::string_view bytes,
                              const std::optional<std::string>& expected) const {
    replace(bytes, &expected);
}

void TextFileStore::replace(std::string_view bytes,
                            const std::optional<std::string>* expected) const {
    const SaveTarget target = openSaveTarget(path_, rights_, {.option = rules_.option});
    const SaveLock lock(target, rules_.lockWait, rights_);
    if (expected != nullptr) {
        std::optional<std::string> now;
        try {
            now = readWholeFile(target, rules_.maxBytes, rules_.kind);
        } catch (const FileProblem& problem) {
            throw FileProblem(std::string("the file is there but cannot be read, so it was left "
                                          "as it is: ") +
                              problem.what());
        }
        if (now != *expected) {
            throw FileProblem(
                "another program changed it since it was read, so it was left as it is");
        }
    }
    replaceFile(target, bytes, rights_);
}

}  // namespace orvex
