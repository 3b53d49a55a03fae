#pragma once

#include "devices/Recorder.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QPushButton;
class QTimer;

namespace kx {

/// The recording itself: records into the recording file in the document's format and shows
/// the clock, the size and the free space once a second; Pause holds it, Stop (or Escape) ends it.
/// The document is not touched here: the caller loads the file once this dialog has saved it.
class RecordDialog : public QDialog {
    Q_OBJECT
public:
    /// `cdPosition`, when recording from a CD, is the line that says where on the disc.
    RecordDialog(QWidget* owner, InputFactory inputs, const PcmFormat& format, const QString& documentName,
        std::string path, const QString& cdPosition = {});
    ~RecordDialog() override;

    /// Starts recording from input `inputId`; on failure nothing is left open.
    DeviceStatus start(int32_t inputId);
    /// Once the dialog ended: the recording is complete in the file.
    bool saved() const { return m_saved; }
    /// Why it was not: the device's or the file's reason.
    const std::string& failure() const { return m_failure; }
    bool useBulkwave() const;

    void done(int result) override;

private:
    void tick();
    void togglePause(bool paused);

    Recorder m_recorder;
    PcmFormat m_format;
    std::string m_path;
    bool m_recording = false;
    bool m_saved = false;
    std::string m_failure;
    QTimer* m_timer = nullptr;
    QLabel* m_indicator = nullptr;
    QLabel* m_clock = nullptr;
    QLabel* m_size = nullptr;
    QLabel* m_free = nullptr;
    QCheckBox* m_bulkwave = nullptr;
};

} // namespace kx
