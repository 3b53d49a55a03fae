#include "paneldraw/SettingsStore.h"
#include "paneldraw/settings.h"

#include <cstring>

using kx::SettingsStore;

extern "C" {

const char* RegGetString(const char* path, const char* defaultText)
{
    thread_local char buffer[kx::kSettingReadBufferSize];
    const auto text = SettingsStore::read(path ? path : "");
    if (!text)
        return defaultText;
    std::memcpy(buffer, text->c_str(), text->size() + 1);
    return buffer;
}

int32_t RegGetDWord(const char* path, int32_t defaultValue)
{
    const auto text = SettingsStore::read(path ? path : "");
    return text ? kx::parseSettingNumber(*text) : defaultValue;
}

uint16_t RegGetWord(const char* path, uint16_t defaultValue)
{
    const auto text = SettingsStore::read(path ? path : "");
    return text ? uint16_t(kx::parseSettingNumber(*text)) : defaultValue;
}

int32_t RegGetBool(const char* path, int32_t defaultValue)
{
    const auto text = SettingsStore::read(path ? path : "");
    return text ? (kx::parseSettingNumber(*text) == 1 ? 1 : 0) : defaultValue;
}

int32_t RegWriteString(const char* path, const char* text)
{
    return SettingsStore::write(path ? path : "", text ? text : "") ? 1 : 0;
}

} // extern "C"
