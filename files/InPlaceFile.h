#pragma once

#include <sys/stat.h>

#include "files/FileDescriptor.h"
#include "files/SaveTarget.h"
#include "files/WriteRights.h"

// A file written where it is, as a trace is: opened once and written as it goes, with no
// temporary and no rename, under the rules every write of the program keeps (WriteRights).
namespace orvex {

struct InPlaceFile {
    FileDescriptor fd;
    struct stat info {};
    bool created = false;  // made by this open; the caller removes it if it then refuses it
};

// Opens the target's file for writing, blocking, without emptying it. A file that is not there
// is made exclusively (nothing planted meanwhile is taken) and, in a root run, given to the
// folder's owner. A link is never followed, and only a regular file or /dev/null is opened at
// all: a FIFO, a device or a folder is refused before opening could block or set anything off.
// The folder and an existing file must pass WriteRights::checkFolder and checkFile. Throws
// FileProblem; its error() is ELOOP for a link, EISDIR for a folder, ENXIO for anything else
// that is no regular file, the system's error when an open failed, 0 when a rule refused.
InPlaceFile openInPlace(const SaveTarget& target, const WriteRights& rights);

// The null device, which takes any write and keeps nothing.
bool isDevNull(const struct stat& info);

}  // namespace orvex
