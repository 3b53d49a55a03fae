#pragma once

#include <QDialog>

namespace kx {

/// "About Kestrix2000": the program's name, what it is for, and OK.
class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent);
};

} // namespace kx
