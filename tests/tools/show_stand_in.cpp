// Stands in for Vistello beside a copy of vistello-idle, so that its tests never hang on the show: adds its
// process id to the file "starts" in its own folder, covers the screen in red, and ends on a key (or a signal).
#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QWidget>

namespace {
struct Window : QWidget {
    void keyPressEvent(QKeyEvent *) override { QApplication::quit(); }
};
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QFile starts(QApplication::applicationDirPath() + "/starts");
    if (!starts.open(QIODevice::Append) || starts.write(QByteArray::number(QApplication::applicationPid()) + "\n") < 0)
        return 1;
    starts.close();
    Window window;
    window.setStyleSheet("background: red");
    window.setGeometry(window.screen()->geometry());   // full screen also without a window manager
    window.showFullScreen();
    return app.exec();
}
