#include "unprivilegedrun.h"

#include <cstdio>
#include <grp.h>
#include <unistd.h>

namespace {

// The conventional "nobody" account; it owns nothing the suites touch but what they make.
constexpr uid_t kUnprivilegedUid = 65534;
constexpr gid_t kUnprivilegedGid = 65534;

} // namespace

bool UnprivilegedRun::dropRoot()
{
    if (geteuid() != 0)
        return true;
    if (setgroups(0, nullptr) != 0 || setgid(kUnprivilegedGid) != 0 ||
        setuid(kUnprivilegedUid) != 0) {
        std::perror("giving up root");
        return false;
    }
    // A process that could take root back would still read through every mode bit.
    return setuid(0) != 0 && geteuid() == kUnprivilegedUid;
}
