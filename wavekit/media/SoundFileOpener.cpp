#include "SoundFileOpener.h"

#include "MediaDecoder.h"
#include "documents/FileKind.h"
#include "documents/NewDocument.h"
#include "documents/RawFile.h"
#include "documents/RegularFile.h"
#include "documents/RiffFile.h"
#include "documents/WavReader.h"
#include "documents/WaveDescription.h"
#include "documents/WaveEncoding.h"

#include <algorithm>
#include <cstdlib>

namespace kx {

namespace {

    constexpr const char* kNotFoundText = "File not found. Please check the pathname.";
    constexpr const char* kCannotDecompressText = "Sorry. This file cannnot be decompressed.";
    constexpr const char* kReadErrorText = "An error occured.";

    OpenResult failed(std::string message)
    {
        OpenResult result;
        result.status = OpenStatus::Failed;
        result.message = std::move(message);
        return result;
    }

    /// The texts of the RIFF way; the file was found a moment ago, so failing to open it now is
    /// said more briefly than at the first look.
    std::string riffMessage(WavReadStatus status)
    {
        return status == WavReadStatus::CannotOpen ? "File not found." : wavReadMessage(status);
    }

    OpenResult opened(WavFileContents&& contents, const std::string& path, uint16_t zoom, SourceKind kind)
    {
        OpenResult result;
        result.status = OpenStatus::Opened;
        result.document = makeDocumentFromFile(std::move(contents), path, zoom);
        result.document.info.sourceKind = kind;
        return result;
    }

    OpenResult openRaw(const std::string& path, const OpenSettings& settings, OpenInteraction& interaction)
    {
        RiffFile file;
        if (!file.open(path))
            return failed(kNotFoundText);
        const std::optional<PcmFormat> format = interaction.askRawFormat(file.fileSize());
        if (!format) {
            OpenResult result;
            result.status = OpenStatus::Cancelled;
            return result;
        }
        WavFileContents contents;
        const WavReadStatus status = readRawFile(file, *format, contents);
        if (status != WavReadStatus::Ok)
            return failed(status == WavReadStatus::OutOfMemory ? wavReadMessage(status) : kReadErrorText);
        return opened(std::move(contents), path, settings.zoom, SourceRawFile);
    }

    OpenResult openDecoded(const std::string& path, const DecodeRequest& request, uint16_t zoom, SourceKind kind)
    {
        DecodedSound sound;
        const DecodeStatus status = decodeFirstAudioStream(path, request, sound);
        if (status == DecodeStatus::OutOfMemory)
            return failed(wavReadMessage(WavReadStatus::OutOfMemory));
        if (status == DecodeStatus::NoSound) // e.g. a video without sound
            return failed(kReadErrorText);
        if (status != DecodeStatus::Ok)
            return failed(kCannotDecompressText);
        WavFileContents contents;
        contents.header = sound.header;
        contents.samples = std::move(sound.samples);
        contents.texts = std::move(sound.texts);
        OpenResult result = opened(std::move(contents), path, zoom, kind);
        if (sound.damaged)
            result.message = kReadErrorText;
        return result;
    }

    OpenResult openAvi(const std::string& path, const OpenSettings& settings)
    {
        DecodeRequest request;
        request.bits = settings.compressBits.value_or(8);
        request.stop = settings.stop;
        request.keepPcmBits = true;
        OpenResult result = openDecoded(path, request, settings.zoom, SourceAviStream);
        if (result.status == OpenStatus::Opened)
            result.document.texts = makeNewDocument(NewFileFormat {}, 0, settings.zoom).texts;
        return result;
    }

    OpenResult openRiffFile(const std::string& path, const OpenSettings& settings)
    {
        const WaveDescription wave = describeWave(path);
        if (wave.avi)
            return openAvi(path, settings);
        if (wave.status != WavReadStatus::Ok)
            return failed(riffMessage(wave.status));
        if (wave.encoding == WaveEncoding::Pcm) {
            WavFileContents contents;
            const WavReadStatus status = readWavFile(path, contents);
            if (status != WavReadStatus::Ok)
                return failed(riffMessage(status));
            return opened(std::move(contents), path, settings.zoom, SourcePcmWave);
        }
        DecodeRequest request;
        request.stop = settings.stop;
        if (wave.encoding == WaveEncoding::Variant) {
            // Every such file has more than 8 bits of resolution (u-law and a-law 13 and 14).
            request.bits = settings.compressBits.value_or(16);
            request.keepPcmBits = true;
        } else {
            request.bits = settings.compressBits.value_or(8);
            request.maxFrames = wave.factFrames;
        }
        return openDecoded(path, request, settings.zoom, SourceCompressedWave);
    }

} // namespace

bool needsDecoder(const std::string& path)
{
    RiffFile file;
    uint8_t first[4] = {};
    const int64_t got = file.open(path) ? file.read(first, sizeof first) : -1;
    if (got < 0)
        return false;
    if (fileKindOf(std::span<const uint8_t>(first, std::size_t(got)), path) == FileKind::Media)
        return true;
    file.close();
    const WaveDescription wave = describeWave(path);
    return wave.avi || wave.encoding != WaveEncoding::Pcm;
}

std::optional<uint16_t> compressBitsFromText(const std::string& stored)
{
    if (stored.empty())
        return std::nullopt;
    return uint16_t(std::strtoul(stored.c_str(), nullptr, 10) == 16 ? 16 : 8);
}

OpenResult openSoundFile(const std::string& path, const OpenSettings& settings, OpenInteraction& interaction)
{
    uint8_t first[4] = {};
    int64_t got = 0;
    {
        RiffFile probe;
        if (!probe.open(path) || (got = probe.read(first, sizeof first)) < 0)
            return failed(probe.notRegular() ? kNotRegularFileText : kNotFoundText);
    }
    switch (fileKindOf(std::span<const uint8_t>(first, std::size_t(got)), path)) {
    case FileKind::Raw:
        return openRaw(path, settings, interaction);
    case FileKind::Media: {
        DecodeRequest request;
        request.bits = settings.compressBits.value_or(8);
        request.stop = settings.stop;
        return openDecoded(path, request, settings.zoom, SourceMediaFile);
    }
    case FileKind::Riff:
        break;
    }
    return openRiffFile(path, settings);
}

} // namespace kx
