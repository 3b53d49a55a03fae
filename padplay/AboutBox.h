#pragma once

#include <QDialog>

namespace kx::padplay {

/// "About Tonedeck": the program icon, its name and release, the maker and the picture strip.
class AboutBox : public QDialog {
public:
    explicit AboutBox(QWidget* parent);
};

} // namespace kx::padplay
