#pragma once

#include "FormatConverter.h"
#include "devices/AudioInput.h"

#include <memory>
#include <mutex>

namespace kx {

/// An input that gives what another input captures in any other format: the inner one is opened
/// in its own format and each of its blocks converted as one stream. Equal formats pass unchanged.
class ConvertingInput final : public AudioInput {
public:
    ConvertingInput(std::unique_ptr<AudioInput> inner, const PcmFormat& innerFormat);
    /// The inner input's thread is stopped before the converter it uses goes.
    ~ConvertingInput() override { m_inner->stop(); }

    DeviceStatus open(const PcmFormat& format) override;
    DeviceStatus start(BlockHandler onBlock) override;
    void stop() override { m_inner->stop(); }
    void close() override { m_inner->close(); }
    std::string captureError() const override;

private:
    std::unique_ptr<AudioInput> m_inner;
    PcmFormat m_innerFormat;
    std::unique_ptr<FormatConverter> m_converter;
    mutable std::mutex m_errorMutex;
    std::string m_error;
};

} // namespace kx
