#include "ConvertingInput.h"

#include <vector>

namespace kx {

ConvertingInput::ConvertingInput(std::unique_ptr<AudioInput> inner, const PcmFormat& innerFormat)
    : m_inner(std::move(inner))
    , m_innerFormat(innerFormat)
{
}

DeviceStatus ConvertingInput::open(const PcmFormat& format)
{
    if (!(format == m_innerFormat)) {
        m_converter = std::make_unique<FormatConverter>(m_innerFormat, format);
        if (!m_converter->isReady())
            return DeviceStatus::failure("The recording cannot be converted to this format.");
    }
    return m_inner->open(m_innerFormat);
}

DeviceStatus ConvertingInput::start(BlockHandler onBlock)
{
    if (!m_converter)
        return m_inner->start(std::move(onBlock));
    // The inner input's capture thread converts; the converter is used by nobody else meanwhile.
    return m_inner->start([this, onBlock = std::move(onBlock), converted = std::vector<uint8_t>()](
                              std::span<const uint8_t> block) mutable {
        converted.clear();
        if (!m_converter->stream(block, converted)) {
            std::lock_guard lock(m_errorMutex);
            m_error = "The recording cannot be converted to this format.";
            return;
        }
        if (!converted.empty())
            onBlock(converted);
    });
}

std::string ConvertingInput::captureError() const
{
    std::string inner = m_inner->captureError();
    if (!inner.empty())
        return inner;
    std::lock_guard lock(m_errorMutex);
    return m_error;
}

} // namespace kx
