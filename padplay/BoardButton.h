#pragma once

#include <QAbstractButton>
#include <QStringList>

namespace kx::padplay {

/// One of the 44 sound buttons: shows the file title of its slot (marked when the file is gone),
/// takes files dropped from a file manager and asks for its context menu.
class BoardButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Face { Empty, Sound, Missing };

    BoardButton(int number, QWidget* parent);

    int number() const { return m_number; }
    void showSlot(const QString& path);
    Face face() const { return m_face; }

signals:
    void filesDropped(int number, const QList<QByteArray>& paths);
    void contextMenuWanted(int number, QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int m_number;
    Face m_face = Face::Empty;
};

} // namespace kx::padplay
