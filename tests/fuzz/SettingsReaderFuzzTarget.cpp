// Feeds arbitrary bytes to the settings store as its file, then reads settings the programs read
// at start-up through the store's numeric and text rules.
#include "FuzzInput.h"

#include "paneldraw/SettingsStore.h"
#include "paneldraw/settings.h"

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

using kx::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string directory = [] {
        char pattern[] = "/tmp/kx-settings-fuzz-XXXXXX";
        const std::string made = ::mkdtemp(pattern) ? pattern : "";
        ::mkdir((made + "/QuellWerk").c_str(), 0700);
        kx::SettingsStore::setDirectory(made);
        return made;
    }();
    const int fd = ::open((directory + "/QuellWerk/QuellWerk.ini").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return 0;
    const bool written = size == 0 || ::write(fd, data, size) == ssize_t(size);
    ::close(fd);
    if (!written)
        return 0;
    for (const char* path : { "Kestrix\\Settings\\CompressBits", "Kestrix\\Settings\\Filters\\Volume",
             "Kestrix\\Extensions\\Internet\\Path", "Kestrix\\Directories\\WaveSaveFormat", "Tonedeck\\ShowInfo" }) {
        const char* text = RegGetString(path, "default");
        check(std::strlen(text) < kx::kSettingReadBufferSize, "a text fits the read buffer");
        const int32_t flag = RegGetBool(path, 7);
        check(flag == 0 || flag == 1 || flag == 7, "a yes or no, or the default");
        RegGetWord(path, 0);
        RegGetDWord(path, 0);
    }
    for (const std::string& key : kx::SettingsStore::subKeys("Kestrix\\Extensions"))
        check(!key.empty(), "sub-keys have names");
    return 0;
}
