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

namespace {

    /// Undo and redo change the document: never under a running operation or a load.
    int32_t takeStep(HWND wave, bool (*step)(WaveDocument&, const std::function<void()>&))
    {
        auto shared = WindowRegistry::document(wave);
        if (!shared || shared->busy())
            return 0;
        std::unique_lock lock(shared->lock);
        return !shared->busy() && step(shared->document, {}) ? 1 : 0;
    }

    /// The text for the menu, copied while the record is locked; null when there is none.
    const char* menuText(HWND wave, const char* (*description)(const WaveDocument&))
    {
        thread_local std::string text;
        auto shared = WindowRegistry::document(wave);
        if (!shared)
            return nullptr;
        std::shared_lock lock(shared->lock);
        const char* found = description(shared->document);
        if (!found)
            return nullptr;
        text = found;
        return text.c_str();
    }

} // namespace

int32_t RestoreUndoInformation(HWND wave)
{
    return takeStep(wave, UndoStore::restore);
}

int32_t RestoreRedoInformation(HWND wave)
{
    return takeStep(wave, UndoStore::redo);
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
    return menuText(wave, UndoStore::description);
}

int32_t IsRedoPossible(HWND wave)
{
    auto shared = WindowRegistry::document(wave);
    if (!shared)
        return 0;
    std::shared_lock lock(shared->lock);
    return UndoStore::isRedoPossible(shared->document) ? 1 : 0;
}

const char* RedoDescription(HWND wave)
{
    return menuText(wave, UndoStore::redoDescription);
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
