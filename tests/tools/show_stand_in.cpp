// Stands in for Vistello beside a copy of vistello-idle, so that its tests do not hang on the show:
//   show_stand_in /s    adds its process id to the file "starts" in its own folder, covers the
//                       screen and ends on a key (or a signal)
//   show_stand_in       a plain window with the app id "vistello-inhibitor" that keys do not end
#include <QApplication>
#include <QFile>
#include <QWidget>

namespace {
class Window : public QWidget {
public:
    explicit Window(bool show) : show_(show) {}
    void keyPressEvent(QKeyEvent *) override
    {
        if (show_)
            QApplication::quit();
    }

private:
    bool show_;
};
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const bool show = argc > 1 && QByteArray(argv[1]) == "/s";
    if (show) {
        QFile starts(QApplication::applicationDirPath() + "/starts");
        if (!starts.open(QIODevice::Append) || starts.write(QByteArray::number(QApplication::applicationPid()) + "\n") < 0)
            return 1;
    } else {
        QGuiApplication::setDesktopFileName("vistello-inhibitor");
    }
    Window window(show);
    window.setStyleSheet("background: red");
    window.showFullScreen();
    return app.exec();
}
