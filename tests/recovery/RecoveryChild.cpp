// A program that keeps a recovery copy and is then killed by the recovery tests:
//   recovery_child DIR edit  - writes the copy of one document, says "written", waits
//   recovery_child DIR slow  - the same, then writes a changed copy slowly, says "writing" in it
#include "RecoveryDocument.h"
#include "documents/RecoverySession.h"
#include "documents/RecoveryWriter.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

using namespace kx;

int main(int argc, char* argv[])
{
    if (argc != 3)
        return 2;
    RecoverySession session(argv[1]);
    if (!session.usable())
        return 1;
    auto shared = std::make_shared<SharedDocument>(test::recoveryDocument(1));
    const std::string path = session.newCopyPath();
    std::atomic<bool> slow = false;
    bool announced = false;
    RecoveryWriteOptions options;
    options.blockBytes = 64 << 10;
    options.giveUp = [&] {
        if (!slow)
            return false;
        if (!announced) {
            std::printf("writing\n");
            std::fflush(stdout);
            announced = true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return false;
    };
    RecoveryWriter writer({}, options);
    writer.write(shared, path, 1);
    writer.waitIdle();
    std::printf("written\n");
    std::fflush(stdout);
    if (std::strcmp(argv[2], "slow") == 0) {
        slow = true;
        writer.write(std::make_shared<SharedDocument>(test::recoveryDocument(2)), path, 2);
    }
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}
