#pragma once

#include "NewDocument.h"
#include "PcmFormat.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx {

/// The rates the format lists offer, in this order; any other number may be typed.
inline constexpr std::array<uint32_t, 7> kRateList { 8000, 11025, 16000, 22050, 28000, 32000, 44100 };
/// The highest rate a format field accepts (the lowest is 1).
inline constexpr uint32_t kHighestRate = 48000;

/// The format dialogs refuse a rate with these texts.
inline constexpr const char* kRateRefusedText = "Only values ranging from 1 to 48000 are allowed.";
inline constexpr const char* kChangeRateRefusedText = "Only values between 1 - 48000 allowed.";
inline constexpr const char* kConvertRateRefusedText = "Values range from 1 - 48000 only.";

bool isAcceptedRate(uint32_t rate);
/// The number in a rate field, read as an unsigned decimal; text that is not a number, or does
/// not fit 32 bits, reads 0 (and is therefore refused).
uint32_t rateFromText(std::string_view text);

/// What the three format dialogs show and take: the two list indexes and the rate field's text.
struct FormatChoice {
    int bitsIndex = 0; ///< 0 "Standard - 8", 1 "HiFi - 16"
    int channelsIndex = 0; ///< 0 "MONO", 1 "STEREO"
    std::string rateText;

    /// The format chosen; the rate is rateFromText's reading, not yet checked.
    PcmFormat format() const;
    static FormatChoice of(uint16_t bits, uint16_t channels, uint32_t rate);
};

/// The two groups of stored formats.
enum class FormatGroup { NewFile, RawFile };
/// "Kestrix\NewFile\<name>" or "Kestrix\RawFile\<name>".
std::string formatSettingPath(FormatGroup group, std::string_view name);

/// The format files are built with from the five stored values of a group (a NewFileFormat holds
/// those of either group): 16 bit only for 16, stereo only for 2, and the default rate for a
/// stored rate the dialogs would refuse (the store may have been edited by hand).
PcmFormat formatOf(const NewFileFormat& stored);

struct SettingText {
    std::string path;
    std::string text;
    bool operator==(const SettingText&) const = default;
};

/// Confirming the "New Files" page or the raw-file dialog: Bit and Channels are written in any
/// case; Samples, BytesPerSample and BytesPerSec only when the rate is accepted, otherwise the
/// dialog stays open with `refusal`.
struct FormatApply {
    std::vector<SettingText> writes;
    bool accepted = false;
    std::string refusal;
};
FormatApply applyFormatChoice(FormatGroup group, const FormatChoice& choice);

std::string kbPerSecText(uint32_t bytesPerSecond); ///< "%lu KB/sec" of bytes / 1024
std::string bytesPerSampleText(uint32_t bytesPerFrame); ///< "%u Bytes/Sample"
std::string kbText(uint64_t bytes); ///< "%lu KB" of bytes / 1024

/// The contents of the shared controls when a dialog opens.
struct FormatFields {
    FormatChoice choice;
    std::string bytesPerSecond; ///< control 104
    std::string bytesPerFrame; ///< control 105
    std::string fileLength; ///< control 106 (header and raw dialogs)
    std::string dataLength; ///< control 107 (header and raw dialogs)
};
/// The "New Files" page: the stored values as they are, not recomputed.
FormatFields newFilesPageFields(const NewFileFormat& stored);
/// The raw-file dialog: as the page, and the raw file's length in both length fields.
FormatFields rawDialogFields(const NewFileFormat& stored, uint64_t fileLength);
/// The header dialog of a document.
FormatFields headerDialogFields(const WaveHeader& header);

/// "Change Settings": the same bytes are from now on read under the chosen format. Returns the
/// refusal text, with the header untouched, when the rate is refused.
std::optional<std::string> changeSettings(WaveHeader& header, const FormatChoice& choice);
/// "Convert": the target format, or nullopt with `refusal` set when the rate is refused.
std::optional<PcmFormat> conversionTarget(const FormatChoice& choice, std::string& refusal);

/// The rates the converter's format chooser offers: the list, then 48000.
std::vector<uint32_t> conversionRates();

} // namespace kx
