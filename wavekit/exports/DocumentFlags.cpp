#include "WindowRegistry.h"
#include "documents/SharedDocument.h"
#include "wavekit/wavekit.h"

namespace {

int32_t setFlag(HWND wave, uint32_t kx::DocumentInfo::*flag, uint32_t value)
{
    if (auto document = kx::WindowRegistry::document(wave))
        document->document.info.*flag = value;
    return 1;
}

} // namespace

extern "C" {

int32_t SetFileSaved(HWND wave)
{
    return setFlag(wave, &kx::DocumentInfo::saved, 1);
}

int32_t SetFileNotSaved(HWND wave)
{
    return setFlag(wave, &kx::DocumentInfo::saved, 0);
}

int32_t IsFileSaved(HWND wave)
{
    auto document = kx::WindowRegistry::document(wave);
    return document && document->document.info.saved != 0 ? 1 : 0;
}

int32_t SetFileWorking(HWND wave)
{
    return setFlag(wave, &kx::DocumentInfo::working, 1);
}

int32_t SetFileNotWorking(HWND wave)
{
    return setFlag(wave, &kx::DocumentInfo::working, 0);
}

int32_t IsFileWorking(HWND wave)
{
    auto document = kx::WindowRegistry::document(wave);
    return !document || document->document.info.working != 0 ? 1 : 0;
}

} // extern "C"
