#include "files/PlainReason.h"

#include <cerrno>
#include <system_error>

namespace orvex {
namespace {

std::string_view plainWords(int error) {
    switch (error) {
        case EROFS:
            return "the disk is mounted read-only";
        case ENOSPC:
            return "the disk is full";
        case EDQUOT:
            return "your disk quota is used up";
        case EFBIG:
            return "the file would be larger than the system allows";
        case EIO:
            return "the disk reported an input/output error";
        case ENOTDIR:
            return "part of the path is a file, not a folder";
        case EISDIR:
            return IsAFolder;
        case ENOENT:
            return "a folder on the path does not exist";
        case ENAMETOOLONG:
            return "the path is too long";
        case ELOOP:
            return "the path runs through too many symbolic links";
        case EMFILE:
        case ENFILE:
            return "too many files are open";
        case ENOMEM:
            return "the computer is out of memory";
        default:
            return "the system refused it";
    }
}

}  // namespace

std::string plainReason(int error, std::string_view accessDenied) {
    const std::string_view words =
        (error == EACCES || error == EPERM) ? accessDenied : plainWords(error);
    // std::error_code gives the thread-safe strerror text.
    return std::string(words) + " (" + std::generic_category().message(error) + ")";
}

}  // namespace orvex
