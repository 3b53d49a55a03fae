#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow board;
    board.setWindowTitle(QStringLiteral("Tonedeck"));
    board.resize(640, 480);
    board.show();
    return app.exec();
}
