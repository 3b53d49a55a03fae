// Linked into the binaries of the save and undo tests: with KX_TEST_NAMED_TEMPORARIES set, they
// run the way of file systems without unnamed temporary files (see tests/CMakeLists.txt).
#include "documents/PendingFile.h"

#include <cstdlib>

namespace {

const bool g_named = [] {
    if (std::getenv("KX_TEST_NAMED_TEMPORARIES"))
        kx::setUnnamedTemporaryFiles(false);
    return true;
}();

} // namespace
