#pragma once

#include <QDialog>

namespace kx {

class NewFilesPage;

/// Holds the "New Files" page on its own until the options sheet takes it in: OK applies the
/// page and closes unless it refuses, Cancel closes.
class NewFilesDialog : public QDialog {
public:
    explicit NewFilesDialog(QWidget* parent);

    NewFilesPage* page() const { return m_page; }

private:
    NewFilesPage* m_page;
};

} // namespace kx
