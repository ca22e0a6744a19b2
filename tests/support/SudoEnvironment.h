#pragma once

#include <sys/types.h>

#include <cstdlib>
#include <string>

namespace orvex::test {

// What `sudo -E` adds to the program's environment, for as long as this lives: SUDO_UID and
// SUDO_GID name the user who invoked it.
class SudoEnvironment {
public:
    explicit SudoEnvironment(uid_t user) {
        ::setenv("SUDO_UID", std::to_string(user).c_str(), 1);
        ::setenv("SUDO_GID", std::to_string(user).c_str(), 1);
    }
    ~SudoEnvironment() {
        ::unsetenv("SUDO_UID");
        ::unsetenv("SUDO_GID");
    }
    SudoEnvironment(const SudoEnvironment&) = delete;
    SudoEnvironment& operator=(const SudoEnvironment&) = delete;
};

}  // namespace orvex::test
