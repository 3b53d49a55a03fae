#include "Commands.h"
#include "OutputFile.h"

#include "documents/UndoStore.h"
#include "documents/WavReader.h"
#include "documents/WavWriter.h"
#include "filters/CrossFades.h"
#include "filters/Drawtone.h"
#include "filters/Fades.h"
#include "filters/FileStream.h"
#include "filters/FilterSettings.h"
#include "filters/PeakVolume.h"
#include "filters/Reverse.h"
#include "filters/Silence.h"
#include "filters/Soften.h"
#include "filters/Velocity.h"
#include "filters/Volume.h"
#include "filters/Zeroize.h"

#include <algorithm>
#include <cstdio>
#include <functional>

namespace kx::cli {

namespace {

    namespace fs = kx::filtersettings;

    struct Parameter {
        const char* name;
        fs::WordSetting setting; ///< read when the parameter is not given
        bool boolean = false;
    };

    /// The values of an operation's parameters, in the order its table lists them.
    using Values = std::vector<uint32_t>;

    /// A Drawtone curve: the pins, and whether the mark stands for the dialog's "Marked area".
    using CurveRun = FilterStatus (*)(WaveDocument&, std::span<const CurvePin>, bool, const FilterControl&);

    /// What a streamed operation works on besides the file.
    struct StreamInput {
        const WaveHeader& header;
        MarkRecord mark;
        const Values& values;
        std::span<const CurvePin> pins;
        bool markedArea;

        ByteRange working() const { return workingRange(header.dataSize, mark); }
        ByteRange curve(bool shortMarkMeansWholeFile) const
        {
            return curveRange(header.dataSize, mark, markedArea, shortMarkMeansWholeFile);
        }
    };

    /// The operation run from file to file, a block at a time, for those whose result the blocks
    /// alone decide; bit for bit what `run` or `curve` gives on the whole document.
    using StreamedRun = StreamStatus (*)(FileStream&, const StreamInput&);

    /// A change that may refuse: the file then stays as it is, as the document does.
    StreamStatus changeOrCopy(FileStream& stream, const std::optional<BlockChange>& change)
    {
        return change ? stream.change(*change) : stream.copy();
    }

    struct Operation {
        const char* name;
        std::vector<Parameter> parameters;
        std::function<FilterStatus(WaveDocument&, const Values&)> run;
        /// Set for the curves, which take points=X:Y,... instead of numbers.
        CurveRun curve = nullptr;
        StreamedRun streamed = nullptr;
    };

    constexpr const char* kPoints = "points";
    constexpr const char* kNotStereoNote = "The channels can only be faded in a stereo file; nothing was changed.";

    const std::vector<Operation>& operations()
    {
        static const std::vector<Operation> list = {
            { "volume", { { "percent", fs::kVolume } },
                [](WaveDocument& d, const Values& v) { return changeVolume(d, v[0]); }, nullptr,
                [](FileStream& s, const StreamInput& in) {
                    return s.change(volumeChange(in.header, in.working(), in.values[0]));
                } },
            { "peak", {}, [](WaveDocument& d, const Values&) { return setMaxVolume(d); }, nullptr,
                [](FileStream& s, const StreamInput& in) { return s.peak(in.working()); } },
            { "fadein", { { "percent", fs::kFadeIn } },
                [](WaveDocument& d, const Values& v) { return fadeIn(d, v[0]); }, nullptr,
                [](FileStream& s, const StreamInput& in) {
                    return s.change(fadeInChange(in.header, in.working(), in.values[0]));
                } },
            { "fadeout", { { "percent", fs::kFadeOut } },
                [](WaveDocument& d, const Values& v) { return fadeOut(d, v[0]); }, nullptr,
                [](FileStream& s, const StreamInput& in) {
                    return s.change(fadeOutChange(in.header, in.working(), in.values[0]));
                } },
            { "fade-lr", {}, [](WaveDocument& d, const Values&) { return fadeChannels(d, CrossFade::LeftToRight); },
                nullptr,
                [](FileStream& s, const StreamInput& in) {
                    return s.change(crossFadeChange(in.header, in.working(), CrossFade::LeftToRight));
                } },
            { "fade-rl", {}, [](WaveDocument& d, const Values&) { return fadeChannels(d, CrossFade::RightToLeft); },
                nullptr,
                [](FileStream& s, const StreamInput& in) {
                    return s.change(crossFadeChange(in.header, in.working(), CrossFade::RightToLeft));
                } },
            { "silence", {}, [](WaveDocument& d, const Values&) { return setSilence(d); }, nullptr,
                [](FileStream& s, const StreamInput& in) {
                    if (in.mark.markLength == 0)
                        return s.copy();
                    return s.change(silenceChange(in.header, markRange(in.header.dataSize, in.mark)));
                } },
            { "insert-silence", { { "sec", fs::kSilenceSec }, { "ms", fs::kSilenceMs } },
                [](WaveDocument& d, const Values& v) { return insertSilence(d, v[0], v[1]); } },
            { "zeroize", { { "threshold", fs::kZeroizePercent } },
                [](WaveDocument& d, const Values& v) { return zeroize(d, v[0]); }, nullptr,
                [](FileStream& s, const StreamInput& in) {
                    return s.change(zeroizeChange(in.header, in.working(), in.values[0]));
                } },
            { "reverse", {}, [](WaveDocument& d, const Values&) { return reverse(d); }, nullptr,
                [](FileStream& s, const StreamInput& in) { return s.reverse(in.working()); } },
            { "velocity",
                { { "percent", fs::kVelocity }, { "smooth", fs::kVelocitySmooth, true },
                    { "strength", fs::kVelocitySmoothValue } },
                [](WaveDocument& d, const Values& v) {
                    return changeVelocity(d, { v[0], v[1] != 0, v[2] });
                },
                nullptr,
                [](FileStream& s, const StreamInput& in) {
                    const VelocityParameters parameters { in.values[0], in.values[1] != 0, in.values[2] };
                    const VelocityPlan plan = planVelocity(in.header, in.header.dataSize, parameters.percent);
                    if (plan.status == FilterStatus::OutOfMemory)
                        return StreamStatus { .tooLarge = true };
                    return plan.status == FilterStatus::Refused ? s.copy() : s.velocity(plan, parameters);
                } },
            { "soften", { { "strength", fs::kLowPass } },
                [](WaveDocument& d, const Values& v) { return soften(d, v[0]); }, nullptr,
                [](FileStream& s, const StreamInput& in) { return s.soften(in.working(), in.values[0]); } },
            { "dt-volume", {}, {}, drawtoneVolume,
                [](FileStream& s, const StreamInput& in) {
                    return changeOrCopy(s, drawtoneVolumeChange(in.header, in.curve(false), in.pins));
                } },
            { "dt-fade", {}, {}, drawtoneFadeChannels,
                [](FileStream& s, const StreamInput& in) {
                    return changeOrCopy(s, drawtoneFadeChange(in.header, in.curve(true), in.pins));
                } },
        };
        return list;
    }

    const char* const kSynopsis = "apply OP [--mark START:LENGTH] [--cursor POS] [--then-undo] [NAME=VALUE]... IN OUT";

    int usage(const std::string& reason)
    {
        std::fprintf(stderr, "wavetool: %s\nusage: wavetool %s\noperations:\n", reason.c_str(), kSynopsis);
        for (const Operation& operation : operations()) {
            std::string line = std::string("  ") + operation.name;
            for (const Parameter& parameter : operation.parameters)
                line += std::string(" ") + parameter.name + (parameter.boolean ? "=0|1" : "=N");
            if (operation.curve)
                line += " points=X:Y,X:Y,...";
            std::fprintf(stderr, "%s\n", line.c_str());
        }
        return ExitUsage;
    }

    /// The given value, else the setting's (and its default); nullopt for a value that is no number.
    std::optional<uint32_t> parameterValue(const ParsedCommand& command, const Parameter& parameter, StoredValue stored)
    {
        const auto given = command.parameters.find(parameter.name);
        if (given == command.parameters.end())
            return stored(parameter.setting, parameter.boolean);
        uint32_t value = 0;
        if (!parseUnsigned(given->second, value) || value > (parameter.boolean ? 1u : 65535u))
            return std::nullopt;
        return value;
    }

    /// "X:Y,X:Y,..." as pins; on a fault, `fault` says what is wrong.
    std::vector<CurvePin> parsePoints(const std::string& text, std::string& fault)
    {
        std::vector<CurvePin> pins;
        std::size_t at = 0;
        while (at <= text.size()) {
            const std::size_t comma = std::min(text.find(',', at), text.size());
            const std::string point = text.substr(at, comma - at);
            const std::size_t colon = point.find(':');
            uint32_t x = 0;
            uint32_t y = 0;
            if (colon == std::string::npos || !parseUnsigned(point.substr(0, colon), x)
                || !parseUnsigned(point.substr(colon + 1), y) || x > uint32_t(curve::kWidth)
                || y > uint32_t(curve::kHeight)) {
                fault = "point '" + point + "' is not X:Y with X 0 to 300 and Y 0 to 200";
                return {};
            }
            pins.push_back({ int32_t(x), int32_t(y) });
            at = comma + 1;
        }
        if (const char* wrong = pinListFault(pins))
            fault = wrong;
        return pins;
    }

    int apply(const ParsedCommand& command, StoredValue stored)
    {
        const auto& list = operations();
        const auto operation
            = std::find_if(list.begin(), list.end(), [&](const Operation& o) { return command.words[0] == o.name; });
        if (operation == list.end())
            return usage("unknown operation '" + command.words[0] + "'");
        for (const auto& given : command.parameters) {
            const std::string& name = given.first;
            if (!(operation->curve && name == kPoints)
                && std::none_of(operation->parameters.begin(), operation->parameters.end(),
                    [&](const Parameter& p) { return name == p.name; }))
                return usage("unknown parameter '" + name + "' for " + operation->name);
        }
        if (!stored && std::any_of(operation->parameters.begin(), operation->parameters.end(), [&](const Parameter& p) {
                return !command.parameters.count(p.name);
            }))
            return NeedsFullProgram;
        Values values;
        for (const Parameter& parameter : operation->parameters) {
            const auto value = parameterValue(command, parameter, stored);
            if (!value)
                return usage(std::string("bad value for ") + parameter.name);
            values.push_back(*value);
        }
        if (std::string(operation->name) == "velocity" && values[0] == 0)
            return usage("velocity needs a percent of at least 1");
        std::vector<CurvePin> pins;
        if (operation->curve) {
            if (!command.parameters.count(kPoints))
                return usage(std::string(operation->name) + " needs points=X:Y,X:Y,...");
            std::string fault;
            pins = parsePoints(command.parameters.at(kPoints), fault);
            if (!fault.empty())
                return usage("bad points: " + fault);
        }

        uint32_t markStart = 0;
        uint32_t markLength = 0;
        if (command.has("--mark") && command.has("--cursor"))
            return usage("--mark and --cursor exclude each other");
        if (command.has("--mark") && !parseRange(command.options.at("--mark"), markStart, markLength))
            return usage("--mark needs START:LENGTH");
        if (command.has("--cursor") && !parseUnsigned(command.options.at("--cursor"), markStart))
            return usage("--cursor needs a byte offset");

        // Without an undo to take, nothing needs the whole file in memory.
        if (operation->streamed && !command.has("--then-undo")) {
            return streamOutputFile(
                command.files[0], command.files[1], [&](FileStream& stream, const WaveHeader& header) {
                    if (operation->curve == drawtoneFadeChannels && header.nChannels != 2)
                        std::fprintf(stderr, "%s\n", kNotStereoNote);
                    const MarkRecord mark { .markStart = markStart, .markLength = markLength };
                    return operation->streamed(stream, { header, mark, values, pins, command.has("--mark") });
                });
        }

        WavFileContents contents;
        const auto readStatus = readWavFile(command.files[0], contents);
        if (readStatus != WavReadStatus::Ok) {
            std::fprintf(stderr, "%s\n", wavReadMessage(readStatus));
            return ExitFailed;
        }
        WaveDocument document;
        document.header = contents.header;
        document.samples = std::move(contents.samples);
        document.mark.markStart = markStart;
        document.mark.markLength = markLength;

        const FilterStatus status = operation->curve ? operation->curve(document, pins, command.has("--mark"), {})
                                                     : operation->run(document, values);
        if (operation->curve == drawtoneFadeChannels && status == FilterStatus::Refused
            && document.header.nChannels != 2)
            std::fprintf(stderr, "%s\n", kNotStereoNote);
        if (status == FilterStatus::OutOfMemory) {
            std::fprintf(stderr, "Not enough memory.\n");
            return ExitFailed;
        }
        // Refused means nothing changed (velocity 100 %, silence with nothing marked): nothing to undo.
        if (command.has("--then-undo") && status != FilterStatus::Refused && !UndoStore::restore(document)) {
            std::fprintf(stderr, "Nothing to undo.\n");
            return ExitFailed;
        }
        return writeOutputFile(command.files[1], document.header, document.samples.bytes(), &document.texts);
    }

} // namespace

std::vector<Command> filterCommands(StoredValue stored)
{
    std::vector<std::string> names { kPoints };
    for (const Operation& operation : operations()) {
        for (const Parameter& parameter : operation.parameters) {
            if (std::find(names.begin(), names.end(), parameter.name) == names.end())
                names.push_back(parameter.name);
        }
    }
    CommandSyntax syntax { "apply", kSynopsis, { "--mark", "--cursor" }, { "--then-undo" }, names, 2 };
    syntax.words = 1;
    return { { syntax, [stored](const ParsedCommand& command) { return apply(command, stored); } } };
}

} // namespace kx::cli
