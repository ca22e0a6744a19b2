#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace orvex {

// A file operation that failed, with the reason worded for the operator ("the disk is full (No
// space left on device)") and the system's error behind it, if any: 0 when one of our own rules
// refused. It never leaves the code that writes the file: the settings store and the trace turn
// it into a message.
class FileProblem : public std::runtime_error {
public:
    explicit FileProblem(const std::string& reason, int error = 0)
        : std::runtime_error(reason), error_(error) {}

    int error() const { return error_; }

private:
    int error_;
};

// The system error in plain words followed by the system's own text in parentheses. A denied
// access is worded by the caller, who knows what was denied ("the folder is read-only").
std::string plainReason(int error, std::string_view accessDenied);

// The plain words for a path that names a folder where a file was expected.
constexpr const char* IsAFolder = "it is a folder, not a file";

// Why an access was denied, in the operator's words, where nothing more is known.
constexpr const char* ReadDenied = "you do not have permission to read it";
constexpr const char* OpenDenied = "you do not have permission to open it";
constexpr const char* FolderReadOnly = "the folder is read-only";
constexpr const char* PermissionDenied = "permission denied";

}  // namespace orvex
