// The filters' thread routines: each reads its settings and hands its core filter to the common
// filter thread.
#include "DrawnCurve.h"
#include "FilterThread.h"
#include "OperationCodes.h"
#include "WindowRegistry.h"
#include "documents/SharedDocument.h"
#include "filters/Channels.h"
#include "filters/CrossFades.h"
#include "filters/Drawtone.h"
#include "filters/Fades.h"
#include "filters/FilterSettings.h"
#include "filters/PeakVolume.h"
#include "filters/Reverse.h"
#include "filters/SampleScaling.h"
#include "filters/Silence.h"
#include "filters/Soften.h"
#include "filters/Velocity.h"
#include "filters/Volume.h"
#include "filters/Zeroize.h"
#include "wavekit/wavekit.h"

#include "paneldraw/settings.h"

#include <mutex>

using namespace kx;

namespace {

uint32_t readWord(const filtersettings::WordSetting& setting)
{
    return RegGetWord(setting.path, setting.defaultValue);
}

/// A filter that keeps the length: the run is just the change.
int32_t runInPlace(HWND frame, int code, std::function<FilterStatus(WaveDocument&, const FilterControl&)> change)
{
    return runFilterThread(frame, { code, false, false, false, std::move(change) });
}

/// The channel test over the window's header; 0 for a window that holds no document.
int32_t channelTest(HWND wave, uint32_t offset, bool (*test)(const WaveHeader&, uint32_t))
{
    auto shared = WindowRegistry::document(wave);
    if (!shared)
        return 0;
    std::shared_lock lock(shared->lock);
    return test(shared->document.header, offset) ? 1 : 0;
}

/// A Drawtone curve as its dialog left it, applied with the progress box standing.
int32_t runCurve(
    HWND frame, int code, FilterStatus (*apply)(WaveDocument&, std::span<const CurvePin>, bool, const FilterControl&))
{
    const DrawnCurve curve = drawnCurve();
    FilterRun run { code, false, false, false,
        [=](WaveDocument& d, const FilterControl& c) { return apply(d, curve.pins, curve.markedArea, c); } };
    run.showsProgress = true;
    return runFilterThread(frame, run);
}

} // namespace

extern "C" {

int32_t ChangeVolume(HWND frame)
{
    const uint32_t percent = readWord(filtersettings::kVolume);
    return runInPlace(
        frame, OpVolume, [=](WaveDocument& d, const FilterControl& c) { return changeVolume(d, percent, c); });
}

int32_t SetMaxVolume(HWND frame)
{
    return runInPlace(frame, OpPeakVolume, [](WaveDocument& d, const FilterControl& c) { return setMaxVolume(d, c); });
}

int32_t FadeIn(HWND frame)
{
    const uint32_t percent = readWord(filtersettings::kFadeIn);
    return runInPlace(frame, OpFadeIn, [=](WaveDocument& d, const FilterControl& c) { return fadeIn(d, percent, c); });
}

int32_t FadeOut(HWND frame)
{
    const uint32_t percent = readWord(filtersettings::kFadeOut);
    return runInPlace(
        frame, OpFadeOut, [=](WaveDocument& d, const FilterControl& c) { return fadeOut(d, percent, c); });
}

int32_t FadeChannelsLeftToRight(HWND frame)
{
    return runInPlace(frame, OpFadeLeftToRight,
        [](WaveDocument& d, const FilterControl& c) { return fadeChannels(d, CrossFade::LeftToRight, c); });
}

int32_t FadeChannelsRightToLeft(HWND frame)
{
    return runInPlace(frame, OpFadeRightToLeft,
        [](WaveDocument& d, const FilterControl& c) { return fadeChannels(d, CrossFade::RightToLeft, c); });
}

int32_t DrawtoneVolume(HWND frame)
{
    return runCurve(frame, OpDrawtoneVolume, drawtoneVolume);
}

int32_t DrawtoneFadeChannels(HWND frame)
{
    return runCurve(frame, OpDrawtoneFadeChannels, drawtoneFadeChannels);
}

int32_t SetSilence(HWND frame)
{
    return runInPlace(frame, OpSilence, [](WaveDocument& d, const FilterControl& c) { return setSilence(d, c); });
}

int32_t InsertSilence(HWND frame)
{
    const uint32_t sec = readWord(filtersettings::kSilenceSec);
    const uint32_t ms = readWord(filtersettings::kSilenceMs);
    return runFilterThread(frame, { OpInsertSilence, true, false, false, [=](WaveDocument& d, const FilterControl&) {
                                       return insertSilence(d, sec, ms);
                                   } });
}

int32_t Zeroize(HWND frame)
{
    const uint32_t tenths = readWord(filtersettings::kZeroizePercent);
    return runInPlace(frame, OpZeroize, [=](WaveDocument& d, const FilterControl& c) { return zeroize(d, tenths, c); });
}

int32_t Reverse(HWND frame)
{
    return runInPlace(frame, OpReverse, [](WaveDocument& d, const FilterControl& c) { return reverse(d, c); });
}

int32_t Velocity(HWND frame)
{
    VelocityParameters parameters;
    parameters.percent = readWord(filtersettings::kVelocity);
    parameters.smooth = RegGetBool(filtersettings::kVelocitySmooth.path, filtersettings::kVelocitySmooth.defaultValue);
    parameters.smoothStrength = readWord(filtersettings::kVelocitySmoothValue);
    return runFilterThread(frame, { OpVelocity, true, true, true, [=](WaveDocument& d, const FilterControl& c) {
                                       return changeVelocity(d, parameters, c);
                                   } });
}

int32_t LowPass(HWND frame)
{
    const uint32_t strength = readWord(filtersettings::kLowPass);
    return runInPlace(
        frame, OpLowPass, [=](WaveDocument& d, const FilterControl& c) { return soften(d, strength, c); });
}

int16_t ChangeSampleVolume(int16_t sample, int32_t bits, float factor)
{
    return changeSampleVolume(sample, bits, factor);
}

int32_t IsLeftChannel(HWND wave, uint32_t offset)
{
    return channelTest(wave, offset, isLeftChannel);
}

int32_t IsRightChannel(HWND wave, uint32_t offset)
{
    return channelTest(wave, offset, isRightChannel);
}

} // extern "C"
