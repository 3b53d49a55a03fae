#include "SetupDialog.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    kx::SetupDialog dialog;
    dialog.show();
    return app.exec() == 0 && dialog.result() == QDialog::Accepted ? 0 : 1;
}
