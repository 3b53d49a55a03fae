#include "Commands.h"

#include "devices/PortAudioInput.h"
#include "devices/Recorder.h"

#include <cstdio>

namespace kx::cli {

namespace {

    /// A NAME=VALUE parameter within [low, high], or `fallback` when it is absent.
    bool parameterValue(
        const ParsedCommand& command, const char* name, uint32_t low, uint32_t high, uint32_t fallback, uint32_t& value)
    {
        const auto it = command.parameters.find(name);
        if (it == command.parameters.end()) {
            value = fallback;
            return true;
        }
        return parseUnsigned(it->second, value) && value >= low && value <= high;
    }

    int record(const ParsedCommand& command)
    {
        uint32_t deciseconds = 0;
        const std::string& seconds = command.words[0];
        const auto point = seconds.find('.');
        uint32_t whole = 0;
        uint32_t tenth = 0;
        const bool secondsOk = parseUnsigned(seconds.substr(0, point), whole) && whole <= 86400
            && (point == std::string::npos
                || (seconds.size() == point + 2 && parseUnsigned(seconds.substr(point + 1), tenth)));
        deciseconds = whole * 10 + tenth;
        uint32_t bits = 0;
        uint32_t channels = 0;
        uint32_t rate = 0;
        if (!secondsOk || deciseconds == 0 || !parameterValue(command, "bits", 8, 16, 16, bits)
            || (bits != 8 && bits != 16) || !parameterValue(command, "channels", 1, 2, 2, channels)
            || !parameterValue(command, "rate", 1, 48000, 44100, rate)) {
            std::fprintf(stderr,
                "wavetool: record needs SECONDS (up to one decimal) and bits=8|16 channels=1|2 "
                "rate=1..48000\n");
            return ExitUsage;
        }
        uint32_t device = 0;
        int32_t deviceId = -1;
        if (command.has("--device")) {
            const std::string& text = command.options.at("--device");
            if (text != "-1" && !parseUnsigned(text, device)) {
                std::fprintf(stderr, "wavetool: --device needs a device number or -1\n");
                return ExitUsage;
            }
            deviceId = text == "-1" ? -1 : int32_t(device);
        }
        const PcmFormat format { uint16_t(bits), uint16_t(channels), rate };
        // Whole frames: a tenth of a second at 11025 Hz is 1102 frames, not 1102.5.
        const uint64_t limit = uint64_t(format.rate) * deciseconds / 10 * format.blockAlign();
        Recorder recorder(PortAudioInput::factory());
        DeviceStatus status = recorder.start(deviceId, format, command.files[0], 0666, limit);
        if (status.ok()) {
            recorder.waitUntilDone(std::chrono::milliseconds(uint64_t(deciseconds) * 100 + 10000));
            status = recorder.stop();
            if (status.ok() && recorder.bytesRecorded() < limit)
                status = DeviceStatus::failure("the input device stopped delivering sound");
        }
        if (!status.ok()) {
            std::fprintf(stderr, "wavetool: %s\n", status.errorText.c_str());
            return ExitFailed;
        }
        return ExitOk;
    }

} // namespace

std::vector<Command> recordCommands()
{
    return {
        { { "record", "record SECONDS OUT [--device N] [bits=N channels=N rate=N]", { "--device" }, {},
              { "bits", "channels", "rate" }, 1, 1 },
            record },
    };
}

} // namespace kx::cli
