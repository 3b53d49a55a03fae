#include "Commands.h"

#include "devices/DeviceCapabilities.h"
#include "devices/FormatSummary.h"
#include "devices/OutputDevices.h"
#include "devices/Player.h"
#include "devices/PortAudioOutput.h"
#include "media/DecodingWavReader.h"

#include <condition_variable>
#include <cstdio>
#include <mutex>

namespace kx::cli {

namespace {

    /// "-1" or any 32-bit number; all ones is the default device as the settings store it.
    bool parseDeviceId(const std::string& text, int32_t& id)
    {
        if (text == "-1") {
            id = outputdevices::kDefaultDevice;
            return true;
        }
        uint32_t value = 0;
        if (!parseUnsigned(text, value))
            return false;
        id = int32_t(value);
        return true;
    }

    int play(const ParsedCommand& command)
    {
        int32_t deviceId = outputdevices::kDefaultDevice;
        if (command.has("--device") && !parseDeviceId(command.options.at("--device"), deviceId)) {
            std::fprintf(stderr, "wavetool: --device needs a device number or -1\n");
            return ExitUsage;
        }
        WavFileContents contents;
        const auto status = readWavDecoding(command.files[0], contents);
        if (status != WavReadStatus::Ok) {
            std::fprintf(stderr, "%s\n", wavReadMessage(status));
            return ExitFailed;
        }
        WaveDocument document;
        document.header = contents.header;
        document.samples = std::move(contents.samples);
        if (command.has("--mark")) {
            uint32_t start = 0;
            uint32_t length = 0;
            if (!parseRange(command.options.at("--mark"), start, length)) {
                std::fprintf(stderr, "wavetool: --mark needs START:LENGTH\n");
                return ExitUsage;
            }
            if (uint64_t(start) + length > document.header.dataSize) {
                std::fprintf(stderr, "wavetool: the mark lies outside the data (%u bytes)\n", document.header.dataSize);
                return ExitUsage;
            }
            document.mark.markStart = start;
            document.mark.markLength = length;
        }

        std::mutex mutex;
        std::condition_variable ended;
        bool done = false;
        Player player(PortAudioOutput::factory());
        const DeviceStatus played
            = player.play(std::make_shared<SharedDocument>(std::move(document)), deviceId, false, [&] {
                  std::lock_guard lock(mutex);
                  done = true;
                  ended.notify_all();
              });
        if (!played.ok()) {
            std::fprintf(stderr, "wavetool: %s\n", played.errorText.c_str());
            return ExitFailed;
        }
        if (!player.isOpen())
            return ExitOk; // no data: nothing to play
        {
            std::unique_lock lock(mutex);
            ended.wait(lock, [&] { return done; });
        }
        player.stop();
        return ExitOk;
    }

    int devices(const ParsedCommand&)
    {
        const std::vector<std::string> choices = outputdevices::choices();
        if (choices.empty()) {
            std::fprintf(stderr, "%s\n", outputdevices::kNoDeviceText);
            return ExitFailed;
        }
        for (std::size_t i = 0; i < choices.size(); ++i)
            std::printf("%d\t%s\n", int(i) - 1, choices[i].c_str());
        return ExitOk;
    }

    int capabilities(const ParsedCommand& command)
    {
        int32_t deviceId = 0;
        if (command.has("--device") && !parseDeviceId(command.options.at("--device"), deviceId)) {
            std::fprintf(stderr, "wavetool: --device needs a device number or -1\n");
            return ExitUsage;
        }
        const std::pair<const char*, DeviceDirection> directions[]
            = { { "playback", DeviceDirection::Output }, { "record", DeviceDirection::Input } };
        for (const auto& [name, direction] : directions) {
            const DeviceCapabilities caps = DeviceCapabilities::query(deviceId, direction);
            std::printf("%s_product=%s\n%s_driver=%s\n%s_formats=%u\n%s_supports=%s\n", name, caps.productName.c_str(),
                name, driverVersionText(caps.driverVersion).c_str(), name, caps.formats, name,
                formatSummaryText(caps.formats).c_str());
        }
        return ExitOk;
    }

} // namespace

std::vector<Command> deviceCommands()
{
    return {
        { { "play", "play FILE [--mark S:L] [--device N]", { "--mark", "--device" }, {}, {}, 1 }, play },
        { { "devices", "devices", {}, {}, {}, 0 }, devices },
        { { "devcaps", "devcaps [--device N]", { "--device" }, {}, {}, 0 }, capabilities },
    };
}

} // namespace kx::cli
