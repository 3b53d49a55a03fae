#pragma once

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class QComboBox;

namespace kx {

/// The output device chooser: the default device first, then every output device.
class OutputDeviceDialog : public QDialog {
    Q_OBJECT
public:
    /// `choices` as outputdevices::choices gives them; entry i stands for the id i - 1.
    OutputDeviceDialog(QWidget* owner, const std::vector<std::string>& choices, int32_t deviceId);

    /// The id of the selected entry.
    int32_t selectedId() const;

private:
    QComboBox* m_choices = nullptr;
};

} // namespace kx
