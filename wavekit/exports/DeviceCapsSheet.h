#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;

namespace kx {

/// The information sheet "Device Driver": product name, driver version and best standard format
/// of one output and one input device. It changes nothing.
class DeviceCapsSheet : public QDialog {
    Q_OBJECT
public:
    /// Filled once: the sheet has one page, which is active for as long as the modal sheet shows.
    DeviceCapsSheet(QWidget* owner, int32_t outputDevice, int32_t inputDevice);

private:
    /// Asks the backend for both devices.
    void fill(int32_t outputDevice, int32_t inputDevice);

    QLabel* m_fields[2][3] = {};
};

} // namespace kx
