#include "FormatSettings.h"

#include <charconv>

namespace kx {

bool isAcceptedRate(uint32_t rate)
{
    return rate >= 1 && rate <= kHighestRate;
}

uint32_t rateFromText(std::string_view text)
{
    const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc {} || end != text.data() + text.size())
        return 0;
    return value;
}

PcmFormat FormatChoice::format() const
{
    return { uint16_t(bitsIndex == 1 ? 16 : 8), uint16_t(channelsIndex == 1 ? 2 : 1), rateFromText(rateText) };
}

FormatChoice FormatChoice::of(uint16_t bits, uint16_t channels, uint32_t rate)
{
    return { bits == 16 ? 1 : 0, channels == 2 ? 1 : 0, std::to_string(rate) };
}

std::string formatSettingPath(FormatGroup group, std::string_view name)
{
    std::string path = group == FormatGroup::NewFile ? "Kestrix\\NewFile\\" : "Kestrix\\RawFile\\";
    return path.append(name);
}

PcmFormat formatOf(const NewFileFormat& stored)
{
    return { uint16_t(stored.bitsPerSample == 16 ? 16 : 8), uint16_t(stored.channels == 2 ? 2 : 1),
        isAcceptedRate(stored.samplesPerSec) ? stored.samplesPerSec : 22050 };
}

FormatApply applyFormatChoice(FormatGroup group, const FormatChoice& choice)
{
    const PcmFormat format = choice.format();
    FormatApply apply;
    apply.writes = {
        { formatSettingPath(group, "Bit"), format.bits == 16 ? "16" : "8" },
        { formatSettingPath(group, "Channels"), format.channels == 2 ? "2" : "1" },
    };
    if (!isAcceptedRate(format.rate)) {
        apply.refusal = kRateRefusedText;
        return apply;
    }
    apply.accepted = true;
    apply.writes.push_back({ formatSettingPath(group, "Samples"), std::to_string(format.rate) });
    apply.writes.push_back({ formatSettingPath(group, "BytesPerSample"), std::to_string(format.blockAlign()) });
    apply.writes.push_back({ formatSettingPath(group, "BytesPerSec"), std::to_string(format.bytesPerSecond()) });
    return apply;
}

std::string kbPerSecText(uint32_t bytesPerSecond)
{
    return std::to_string(bytesPerSecond / 1024) + " KB/sec";
}

std::string bytesPerSampleText(uint32_t bytesPerFrame)
{
    return std::to_string(bytesPerFrame) + " Bytes/Sample";
}

std::string kbText(uint64_t bytes)
{
    return std::to_string(bytes / 1024) + " KB";
}

FormatFields newFilesPageFields(const NewFileFormat& stored)
{
    FormatFields fields;
    fields.choice = FormatChoice::of(stored.bitsPerSample, stored.channels, stored.samplesPerSec);
    fields.bytesPerSecond = kbPerSecText(stored.avgBytesPerSec);
    fields.bytesPerFrame = bytesPerSampleText(stored.blockAlign);
    return fields;
}

FormatFields rawDialogFields(const NewFileFormat& stored, uint64_t fileLength)
{
    FormatFields fields = newFilesPageFields(stored);
    fields.fileLength = kbText(fileLength);
    fields.dataLength = fields.fileLength;
    return fields;
}

FormatFields headerDialogFields(const WaveHeader& header)
{
    FormatFields fields;
    fields.choice = FormatChoice::of(header.wBitsPerSample, header.nChannels, header.nSamplesPerSec);
    fields.bytesPerSecond = kbPerSecText(header.nAvgBytesPerSec);
    fields.bytesPerFrame = bytesPerSampleText(header.nBlockAlign);
    fields.fileLength = kbText(uint64_t(header.dataSize) + 44);
    fields.dataLength = kbText(header.dataSize);
    return fields;
}

std::optional<std::string> changeSettings(WaveHeader& header, const FormatChoice& choice)
{
    const PcmFormat format = choice.format();
    if (!isAcceptedRate(format.rate))
        return std::string(kChangeRateRefusedText);
    format.applyTo(header);
    return std::nullopt;
}

std::optional<PcmFormat> conversionTarget(const FormatChoice& choice, std::string& refusal)
{
    const PcmFormat format = choice.format();
    if (!isAcceptedRate(format.rate)) {
        refusal = kConvertRateRefusedText;
        return std::nullopt;
    }
    return format;
}

std::vector<uint32_t> conversionRates()
{
    std::vector<uint32_t> rates(kRateList.begin(), kRateList.end());
    rates.push_back(kHighestRate);
    return rates;
}

} // namespace kx
