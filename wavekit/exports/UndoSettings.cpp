#include "UndoSettings.h"

#include "documents/PrivateDirectory.h"
#include "documents/UndoStore.h"

#include "paneldraw/settings.h"

#include <algorithm>
#include <sys/statvfs.h>

namespace kx {

namespace {

    constexpr uint64_t kMegabyte = uint64_t(1) << 20;

    uint64_t halfTheFreeSpace()
    {
        const std::string directory = undoDirectory();
        struct statvfs space { };
        if (directory.empty() || ::statvfs(directory.c_str(), &space) != 0)
            return 0;
        return uint64_t(space.f_bavail) * space.f_frsize / 2;
    }

    uint64_t megabytes(const char* path, uint64_t defaultBytes)
    {
        const int32_t stored = RegGetDWord(path, -1);
        return stored >= 0 ? uint64_t(stored) * kMegabyte : defaultBytes;
    }

} // namespace

void applyUndoSettings()
{
    UndoPolicy policy;
    policy.levels = uint32_t(std::max<int32_t>(RegGetDWord(kUndoLevelsSetting, kDefaultUndoLevels), 1));
    policy.enabled = RegGetBool(kActivateUndoSetting, 1) != 0;
    policy.memoryBudget = megabytes("Kestrix\\Settings\\UndoMemoryBudget", UndoPolicy::defaultMemoryBudget());
    policy.diskBudget = megabytes("Kestrix\\Settings\\UndoDiskBudget", halfTheFreeSpace());
    UndoStore::setPolicy(policy);
}

} // namespace kx
