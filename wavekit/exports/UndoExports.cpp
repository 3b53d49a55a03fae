// Undo as the editor and the operations reach it through window handles.
#include "WindowRegistry.h"
#include "documents/SharedDocument.h"
#include "documents/UndoStore.h"
#include "wavekit/wavekit.h"

#include <mutex>

using namespace kx;

extern "C" {

int32_t SaveUndoInformation(HWND wave, uint32_t start, uint32_t length, uint16_t kind, const char* description)
{
    if (auto shared = WindowRegistry::document(wave)) {
        std::unique_lock lock(shared->lock);
        UndoStore::save(shared->document, start, length, UndoKind(kind), description ? description : "");
    }
    return 1;
}

int32_t RestoreUndoInformation(HWND wave)
{
    auto shared = WindowRegistry::document(wave);
    if (!shared)
        return 0;
    std::unique_lock lock(shared->lock);
    return UndoStore::restore(shared->document) ? 1 : 0;
}

int32_t IsUndoPossible(HWND wave)
{
    auto shared = WindowRegistry::document(wave);
    if (!shared)
        return 0;
    std::shared_lock lock(shared->lock);
    return UndoStore::isPossible(shared->document) ? 1 : 0;
}

const char* UndoDescription(HWND wave)
{
    thread_local std::string text;
    auto shared = WindowRegistry::document(wave);
    if (!shared)
        return nullptr;
    std::shared_lock lock(shared->lock);
    const char* description = UndoStore::description(shared->document);
    if (!description)
        return nullptr;
    text = description; // the record may change once the lock is gone
    return text.c_str();
}

int32_t ForbidUndo(HWND wave)
{
    if (auto shared = WindowRegistry::document(wave)) {
        std::unique_lock lock(shared->lock);
        UndoStore::forbid(shared->document);
    }
    return 1;
}

} // extern "C"
