#include "CdDevice.h"

#include "CdSource.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace kx {

CdDevice::CdDevice(OutputFactory outputs, int32_t outputId)
    : m_outputs(std::move(outputs))
    , m_outputId(outputId)
{
}

CdDevice::~CdDevice()
{
    stop();
}

bool CdDevice::load(const std::string& source)
{
    stop();
    m_position = 0;
    m_error.clear();
    m_disc = CdDisc::open(source, m_error);
    return m_disc != nullptr;
}

int CdDevice::currentTrack() const
{
    return m_disc ? m_disc->trackAt(positionSector()) : 0;
}

int32_t CdDevice::positionSector() const
{
    if (!m_output)
        return m_position;
    return m_playStart + int32_t(m_output->bytesPlayed() / CdDisc::kSectorBytes);
}

std::string CdDevice::minutesText(int32_t sectors)
{
    const int32_t frames = std::max(0, sectors);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", int(frames / (60 * CdDisc::kSectorsPerSecond)),
        int(frames / CdDisc::kSectorsPerSecond % 60), int(frames % CdDisc::kSectorsPerSecond));
    return text;
}

namespace {

    std::string trackText(int track, int32_t sectorsIntoTrack)
    {
        char text[8];
        std::snprintf(text, sizeof text, "%02d:", track);
        return text + CdDevice::minutesText(sectorsIntoTrack);
    }

} // namespace

std::string CdDevice::position(TimeFormat format) const
{
    if (!m_disc)
        return minutesText(0);
    const int32_t sector = positionSector();
    if (format == TimeFormat::Minutes)
        return minutesText(sector);
    const int track = m_disc->trackAt(sector);
    return trackText(track, sector - m_disc->track(track).start);
}

std::string CdDevice::trackPosition(int track, TimeFormat format) const
{
    if (!m_disc || track < 1 || track > trackCount())
        return minutesText(0);
    return format == TimeFormat::Minutes ? minutesText(m_disc->track(track).start) : trackText(track, 0);
}

std::string CdDevice::length() const
{
    return minutesText(m_disc ? m_disc->endSector() : 0);
}

std::string CdDevice::trackLength(int track) const
{
    if (!m_disc || track < 1 || track > trackCount())
        return minutesText(0);
    return minutesText(m_disc->track(track).sectors);
}

bool CdDevice::playTrack(int track)
{
    return m_disc && track >= 1 && track <= trackCount() && playSectors(m_disc->track(track).start);
}

bool CdDevice::playFrom(int minutes, int seconds)
{
    // 64-bit, then clamped: hostile minutes would overflow int arithmetic.
    const int64_t sectors = (int64_t(minutes) * 60 + seconds) * CdDisc::kSectorsPerSecond;
    return playSectors(int32_t(std::clamp<int64_t>(sectors, 0, INT32_MAX)));
}

bool CdDevice::play()
{
    return playSectors(positionSector());
}

bool CdDevice::playSectors(int32_t start)
{
    if (!m_disc)
        return false;
    const auto run = m_disc->audioRunFrom(std::max(0, start));
    if (!run)
        return false;
    stop();
    auto output = m_outputs ? m_outputs(m_outputId) : nullptr;
    if (!output) {
        m_error = "No output device installed.";
        return false;
    }
    if (const DeviceStatus opened = output->open(CdDisc::kFormat); !opened.ok()) {
        m_error = opened.errorText;
        return false;
    }
    auto source = std::make_shared<CdSource>(m_disc, run->first, run->second);
    const uint64_t playback = ++m_playback;
    const DeviceStatus started = output->start(source, [this, playback] {
        if (m_onEnd)
            m_onEnd(playback);
    });
    if (!started.ok()) {
        m_error = started.errorText;
        return false;
    }
    m_output = std::move(output);
    m_source = std::move(source);
    m_playStart = run->first;
    return true;
}

void CdDevice::stop()
{
    if (!m_output)
        return;
    m_position = positionSector();
    m_output->stop();
    m_output->close();
    m_output.reset();
    m_source.reset();
}

bool CdDevice::playbackEnded(uint64_t playback)
{
    if (!m_output || playback != m_playback)
        return true;
    const int32_t failed = m_source->failedSector();
    stop();
    if (failed < 0) {
        m_position = 0;
        return true;
    }
    m_position = failed;
    m_error = "The CD cannot be read at " + minutesText(failed) + "; playback stopped.";
    return false;
}

} // namespace kx
