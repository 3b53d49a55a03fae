#include <QApplication>
#include <QMessageBox>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMessageBox::information(nullptr, QStringLiteral("Kestrix2000 Extension Setup"),
                             QStringLiteral("There is no extension to install in this build yet."));
    return 0;
}
