#pragma once

#include "BitmapBar.h"
#include "devices/BulkwaveMarks.h"
#include "devices/BulkwavePlayer.h"
#include "wavekit/wavekit.h"

#include <functional>

class QTimer;

namespace kx {

/// The Bulkwave loader: a small window inside the frame that plays a WAV file of any size from
/// disk, shows its length and a running position, takes a start and an end mark while it plays,
/// and loads only the marked part into a new document. Everything is drawn from the loader's
/// bitmaps and answers clicks at fixed places, as the layout constants below give them.
class BulkwaveWindow : public BitmapBar {
    Q_OBJECT
public:
    static constexpr const char* kFileNameSetting = "Kestrix\\Settings\\Bulkwave\\FileName";
    static constexpr const char* kCloseSetting = "Kestrix\\Settings\\Boolean\\CloseBulkwave";

    /// Hidden, over `frame`'s client area; opens the file of kFileNameSetting.
    BulkwaveWindow(QWidget* parent, HWND frame, OutputFactory outputs, int32_t deviceId);
    ~BulkwaveWindow() override;

    /// Stops, closes the file and opens `path` (a file that cannot be played reads as length 0).
    void openFile(const std::string& path);
    const std::string& fileName() const { return m_fileName; }
    const BulkwaveMarks& marks() const { return m_marks; }
    BulkwavePlayer& player() { return m_player; }
    /// Where the position marker stands.
    QPoint markerPosition() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void click(QPoint point, bool press) override;

private:
    void play();
    std::function<void()> rewindAtEnd();
    /// The close button: stops, remembers the file and hides; the frame's command shows it again.
    void closeLoader();
    void seekAndPlay(int pixel);
    void markStart();
    void markEnd();
    void loadPart();
    void chooseFile();
    /// Runs every 100 ms on this thread: moves the marker and redraws the position digits.
    void showPosition();

    HWND m_frame;
    std::string m_fileName;
    BulkwavePlayer m_player;
    BulkwaveMarks m_marks;
    QTimer* m_positionTimer = nullptr;
    QWidget* m_marker = nullptr;
};

} // namespace kx
