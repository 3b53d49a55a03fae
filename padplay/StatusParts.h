#pragma once

#include <QWidget>
#include <array>

namespace kx::padplay {

/// The status bar: six sunken parts whose right edges stand at fixed places.
class StatusParts : public QWidget {
public:
    static constexpr int kPartCount = 6;

    explicit StatusParts(QWidget* parent);

    void setText(int part, const QString& text);
    QString text(int part) const { return m_texts[part]; }
    /// Empties every part but the first, which gets `text`.
    void showMessage(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QString, kPartCount> m_texts;
};

} // namespace kx::padplay
