#pragma once

#include "devices/AudioInput.h"
#include "devices/InputLevel.h"

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QProgressBar;

namespace kx {

/// Before recording: the document's format and a live level meter of the input (8-bit stereo at
/// 8000 Hz, each bar the peak of a twentieth of a second, 0..127), with the peak warning and a
/// button that starts the desktop's mixer. Accepted means "start recording".
class RecordSetupDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPeakWarning = "You should try to turn down the volume.\rVolume peak was reached!";
    /// The meter's fixed input format.
    static constexpr PcmFormat kMeterFormat { 8, 2, 8000 };

    /// `cdPosition`, when recording from a CD, is the line that says where on the disc.
    RecordSetupDialog(QWidget* owner, const InputFactory& inputs, int32_t inputId, const PcmFormat& documentFormat,
        std::function<void()> startMixer, const QString& cdPosition = {});
    ~RecordSetupDialog() override;

    void done(int result) override;

private:
    void showLevel(InputLevel level);

    std::unique_ptr<AudioInput> m_input;
    QProgressBar* m_left = nullptr;
    QProgressBar* m_right = nullptr;
    QLabel* m_warning = nullptr;
};

} // namespace kx
