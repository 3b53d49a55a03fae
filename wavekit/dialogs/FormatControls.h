#pragma once

#include "documents/FormatSettings.h"

#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;

namespace kx {

/// The controls the three format dialogs share: bits (101), channels (102), the rate list with
/// its edit field (103), and the read-only fields of bytes per second (104), bytes per frame (105),
/// file length (106) and data length (107). The read-only fields show what the dialog was opened
/// with; unless asked to follow the lists, they do not.
class FormatControls : public QWidget {
public:
    /// `withLengths`: the two length fields (raw-file and header dialogs).
    FormatControls(bool withLengths, QWidget* parent);

    void setFields(const FormatFields& fields);
    /// From now on bytes per second and per frame show what the lists and the rate give.
    void followChoice();
    FormatChoice choice() const;

    /// Shows a refusal of the rate (or any warning) owned by the dialog.
    void refuse(const std::string& text);

private:
    void showDerivedValues();

    QComboBox* m_bits;
    QComboBox* m_channels;
    QComboBox* m_rate;
    QLineEdit* m_bytesPerSecond;
    QLineEdit* m_bytesPerFrame;
    QLineEdit* m_fileLength = nullptr;
    QLineEdit* m_dataLength = nullptr;
};

/// Writes setting texts to the settings store in their order.
void storeSettings(const std::vector<SettingText>& writes);

} // namespace kx
