// Linked into every test program: before main runs, the user's XDG folders are replaced by scratch
// ones, so that no test, and no game or program a test starts, writes into the tester's own folders.

#include "tests/support/scratch_user_dirs.hpp"

namespace {

const bool scratchUserDirsInUse = (useScratchUserDirs(), true);

} // namespace
