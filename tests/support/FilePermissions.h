#pragma once
// What the file system of this test process can do: whether taking a
// permission away stops it (not for the superuser, and not on Windows, whose
// read-only attribute does not keep files out of a folder), and whether it
// makes symbolic links (not on Windows without the right to).

#if !defined(_WIN32)
#include <unistd.h>
#endif

namespace quarn::testing {

inline bool permissionsBind() {
#if defined(_WIN32)
    return false;
#else
    return ::geteuid() != 0;
#endif
}

inline bool symbolicLinksWork() {
#if defined(_WIN32)
    return false;
#else
    return true;
#endif
}

}  // namespace quarn::testing
