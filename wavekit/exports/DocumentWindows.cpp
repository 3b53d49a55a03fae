// The exported routines that build documents in wave windows and save them.
#include "DocumentWindows.h"
#include "DocumentSettings.h"
#include "MessageBoxes.h"
#include "OperationContext.h"
#include "Repaint.h"
#include "WindowRegistry.h"
#include "WindowRequests.h"
#include "documents/ChannelSplit.h"
#include "documents/NewDocument.h"
#include "documents/SaveDocument.h"
#include "documents/SharedDocument.h"
#include "documents/UndoStore.h"
#include "documents/WavReader.h"
#include "wavekit/wavekit.h"

#include "paneldraw/settings.h"

#include <cstring>
#include <mutex>
#include <utility>

namespace kx {

HWND createWaveWindow(HWND client, WaveDocument document, bool scrollBarEnabled)
{
    CreateWaveWindowRequest request;
    request.title = document.info.fileName;
    request.document = std::make_shared<SharedDocument>(std::move(document));
    request.scrollBarEnabled = scrollBarEnabled;
    return reinterpret_cast<HWND>(SendMessage(client, MsgMdiCreate, 0, reinterpret_cast<intptr_t>(&request)));
}

namespace {

    /// Save questions answered with the library's message boxes and save dialog.
    class DialogSaveInteraction : public SaveInteraction {
    public:
        explicit DialogSaveInteraction(HWND frame)
            : m_frame(frame)
        {
        }
        void showError(const std::string& text) override { ErrorBox(m_frame, text.c_str()); }
        bool confirmSaveAsWave() override
        {
            return MessageBoxes::show({ WindowRegistry::window(m_frame), QStringLiteral("Save Problem"),
                       QStringLiteral("This file can not be saved in its original format.\rShall I save "
                                      "it as a .WAV file?"),
                       QMessageBox::Question, QMessageBox::Yes | QMessageBox::No })
                == QMessageBox::Yes;
        }
        std::optional<std::string> chooseSavePath() override
        {
            const std::string chosen = SaveBox(m_frame);
            if (chosen == "FALSE")
                return std::nullopt;
            return chosen;
        }

    private:
        HWND m_frame;
    };

    /// The answers a save on a worker was given on the interface thread beforehand.
    class AnsweredSaveInteraction : public SaveInteraction {
    public:
        AnsweredSaveInteraction(HWND frame, const SaveAnswers& answers)
            : m_frame(frame)
            , m_answers(answers)
        {
        }
        void showError(const std::string& text) override { ErrorBox(m_frame, text.c_str()); }
        bool confirmSaveAsWave() override { return m_answers.newPath.has_value(); }
        std::optional<std::string> chooseSavePath() override { return m_answers.newPath; }

    private:
        HWND m_frame;
        SaveAnswers m_answers;
    };

    /// Writes the document of `wave` as a PCM WAV file; its name and state change under the
    /// exclusive lock once the file is written.
    bool saveWithAnswers(HWND frame, HWND wave, std::string& name, SaveInteraction& interaction)
    {
        auto shared = WindowRegistry::document(wave);
        if (!shared)
            return false;
        bool saved = false;
        DocumentInfo info;
        {
            // Readers may go on while the file is written; no operation may change the data meanwhile.
            std::shared_lock lock(shared->lock);
            info = shared->document.info;
            saved = saveDocument(shared->document, info, name, interaction);
        }
        {
            std::unique_lock lock(shared->lock);
            shared->document.info = info;
        }
        PostMessage(wave, MsgSetText, 0, 0);
        if (saved)
            repaintDocument(frame, wave);
        return saved;
    }

} // namespace

std::optional<SaveAnswers> askBeforeSaving(HWND frame, HWND wave)
{
    auto shared = WindowRegistry::document(wave);
    if (!shared)
        return std::nullopt;
    uint16_t source = SourcePcmWave;
    {
        std::shared_lock lock(shared->lock);
        source = shared->document.info.sourceKind;
    }
    SaveAnswers answers;
    if (source == SourcePcmWave)
        return answers;
    DialogSaveInteraction interaction(frame);
    if (!interaction.confirmSaveAsWave())
        return std::nullopt;
    answers.newPath = interaction.chooseSavePath();
    if (!answers.newPath)
        return std::nullopt;
    return answers;
}

bool saveOnWorker(HWND frame, HWND wave, std::string& path, const SaveAnswers& answers)
{
    AnsweredSaveInteraction interaction(frame, answers);
    return saveWithAnswers(frame, wave, path, interaction);
}

} // namespace kx

using namespace kx;

extern "C" {

HWND NewFile(HWND frame, HWND client, int32_t number)
{
    WaveDocument document = makeNewDocument(newFileFormatFromSettings(), number, startZoomFromSettings());
    return createWaveWindow(client, std::move(document), false);
}

int32_t SeparateChannels(HWND frame, HWND client, HWND wave)
{
    auto shared = WindowRegistry::document(wave);
    if (!shared)
        return 0;
    std::optional<WaveDocument> left, right;
    bool stereo = false;
    {
        std::shared_lock lock(shared->lock);
        stereo = shared->document.header.nChannels == 2;
        if (stereo) {
            left = documentOfChannel(shared->document, Channel::Left);
            if (left)
                right = documentOfChannel(shared->document, Channel::Right);
        }
    }
    if (!stereo) {
        ErrorBox(frame, "Only a stereo file can be separated into its channels.");
        return 0;
    }
    if (!left || !right) {
        ErrorBox(frame, "Not enough memory to separate the channels.");
        return 0;
    }
    createWaveWindow(client, std::move(*left), false);
    createWaveWindow(client, std::move(*right), false);
    return 1;
}

int32_t OpenWAV(HWND frame, HWND client, const char* path)
{
    WavFileContents contents;
    SetMouseWait(nullptr);
    const WavReadStatus status = readWavFile(path ? path : "", contents);
    SetMouseActive();
    if (status == WavReadStatus::NoFirstChunk) {
        NewFile(frame, client, 0);
        return 0;
    }
    if (status != WavReadStatus::Ok) {
        ErrorBox(frame, wavReadMessage(status));
        return 0;
    }
    createWaveWindow(client, makeDocumentFromFile(std::move(contents), path, startZoomFromSettings()), true);
    return 1;
}

int32_t ReadWaveIntoWindow(HWND owner, HWND wave, const char* path)
{
    auto shared = WindowRegistry::document(wave);
    if (!shared)
        return 0;
    WavFileContents contents;
    WavReadOptions options;
    options.readTexts = false;
    SetMouseWait(nullptr);
    const WavReadStatus status = readWavFile(path ? path : "", contents, options);
    SetMouseActive();
    if (status != WavReadStatus::Ok) {
        ErrorBox(owner, wavReadMessage(status));
        return 0;
    }
    {
        std::unique_lock lock(shared->lock);
        WaveDocument& document = shared->document;
        // The header keeps its place; format and sizes come from the file.
        const WaveHeader formerHeader = document.header;
        document.header = contents.header;
        SampleBuffer former = std::exchange(document.samples, std::move(contents.samples));
        // The old samples are one step back; without a history nothing older fits the new data.
        const bool recorded = UndoStore::saveReplaced(document, std::move(former), formerHeader, "Read File");
        UndoStore::finish(document, recorded, true);
    }
    return 1;
}

int32_t SaveWAV(HWND frame, char* path, size_t capacity)
{
    HWND wave = reinterpret_cast<HWND>(SendMessage(frame, MsgGetActiveWave, 0, 0));
    auto shared = WindowRegistry::document(wave);
    // Half-loaded or half-changed data would replace the file.
    if (!shared || !path || shared->busy())
        return 0;
    DialogSaveInteraction interaction(frame);
    std::string name = path;
    const bool saved = saveWithAnswers(frame, wave, name, interaction);
    if (name.size() + 1 <= capacity)
        std::memcpy(path, name.c_str(), name.size() + 1);
    return saved ? 1 : 0;
}

} // extern "C"
