// Runs the fuzz target over its seed corpus and over every input that ever made it fail.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

TEST(FuzzRegression, EveryStoredInputIsHandled)
{
    std::stringstream dirs(KX_FUZZ_INPUT_DIRS);
    std::string dir;
    int inputs = 0;
    while (std::getline(dirs, dir, ':')) {
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (!entry.is_regular_file() || entry.path().filename().string().front() == '.')
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
            SCOPED_TRACE(entry.path().string());
            EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0);
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0);
}
