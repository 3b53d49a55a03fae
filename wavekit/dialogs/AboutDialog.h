#pragma once

#include "wavekit/wavekit.h"

#include <QDialog>

namespace kx {

/// "About Kestrix2000": the program, its version, what it is for and the libraries it is built
/// on with their licences; OK, and "Copyright and Trademarks", which shows that help page.
class AboutDialog : public QDialog {
public:
    AboutDialog(QWidget* parent, HWND frame);
};

} // namespace kx
