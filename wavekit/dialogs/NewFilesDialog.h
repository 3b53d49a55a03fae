#pragma once

#include <QDialog>

namespace kx {

class GeneralPage;
class NewFilesPage;

/// The options sheet: the "New Files" and "General" pages. OK applies them and closes unless the
/// first refuses, Cancel closes.
class NewFilesDialog : public QDialog {
public:
    explicit NewFilesDialog(QWidget* parent);

    NewFilesPage* page() const { return m_page; }

private:
    NewFilesPage* m_page;
    GeneralPage* m_general;
};

} // namespace kx
