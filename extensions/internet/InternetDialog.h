#pragma once

#include "DownloadIndex.h"
#include "wavekit/wavekit.h"

#include <QDialog>

class QLabel;
class QListWidget;

namespace kx {

/// "Internet Download from the Kestrix98 Website": the offered files of the download index, their
/// descriptions, "Update List" and "Download". Ends with 1 on Enter, 0 on "Exit".
class InternetDialog : public QDialog {
    Q_OBJECT
public:
    InternetDialog(HWND owner, QWidget* parent = nullptr);

    /// "Update List": fetches the index; the list shows it when it arrived whole.
    void updateList();
    /// "Download": fetches the selected file into the destination directory and offers to open it.
    void download();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillList();
    /// The number (1 and up) of the file the user selected, 0 for none.
    int selectedFile() const;
    /// Runs the transfer dialog; true when the transfer is done. Tells the user when not.
    bool transfer(const std::string& url, const std::string& target);

    HWND m_owner;
    DownloadIndex m_index;
    QListWidget* m_list = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_news = nullptr;
    QLabel* m_destination = nullptr;
};

} // namespace kx
