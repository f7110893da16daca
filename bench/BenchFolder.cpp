#include "BenchFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QLinearGradient>
#include <random>

QString BenchFolder::root()
{
    const QString path = QDir::tempPath() + QStringLiteral("/vistello-bench");
    QDir().mkpath(path);
    return path;
}

void BenchFolder::writeJpeg(const QString &path, int w, int h)
{
    if (QFile::exists(path))
        return;
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor(250, 160, 90));
    g.setColorAt(1, QColor(40, 30, 110));
    p.fillRect(image.rect(), g);
    // Some detail, so the JPEG decodes like a photo rather than a flat field.
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> x(0, w), y(0, h), r(1, std::max(2, w / 20)), c(0, 255);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 400; ++i) {
        p.setBrush(QColor(c(gen), c(gen), c(gen), 120));
        const int rad = r(gen);
        p.drawEllipse(QPoint(x(gen), y(gen)), rad, rad);
    }
    p.end();
    image.save(path + QStringLiteral(".part"), "JPG", 90);
    QFile::rename(path + QStringLiteral(".part"), path);
}

QString BenchFolder::ManyNames()
{
    const QString dir = root() + QStringLiteral("/names");
    if (QDir(dir).exists())
        return dir + QLatin1Char('/');
    QDir().mkpath(dir);
    const char *extensions[] = {".jpg", ".JPEG", ".gif", ".bmp"};
    std::mt19937 gen(3000);
    std::uniform_int_distribution<int> letter(0, 51);
    for (int i = 0; i < 3000; ++i) {
        QString name;
        for (int k = 0; k < 12; ++k) {
            const int l = letter(gen);
            name += QChar(l < 26 ? 'a' + l : 'A' + l - 26);
        }
        QFile f(dir + QLatin1Char('/') + name + QLatin1String(extensions[i % 4]));
        f.open(QIODevice::WriteOnly);
    }
    return dir + QLatin1Char('/');
}

QStringList BenchFolder::ManyNamesUnsorted()
{
    QStringList names;
    QDirIterator it(ManyNames(), QDir::Files);
    while (it.hasNext()) {
        it.next();
        names << it.fileName();
    }
    return names;
}

QString BenchFolder::BigFirstPath()
{
    return root() + QStringLiteral("/big3000/0000-first.jpg");
}

QString BenchFolder::BigFirstOf3000()
{
    const QString dir = root() + QStringLiteral("/big3000");
    QDir().mkpath(dir);
    writeJpeg(BigFirstPath(), 6000, 4000);
    const QString small = root() + QStringLiteral("/small.jpg");
    writeJpeg(small, 64, 48);
    for (int i = 1; i < 3000; ++i) {
        const QString link = dir + QStringLiteral("/p%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
        if (!QFileInfo::exists(link))
            QFile::link(small, link);
    }
    return dir + QLatin1Char('/');
}

QString BenchFolder::OneMovingPicture()
{
    const QString dir = root() + QStringLiteral("/moving");
    QDir().mkpath(dir);
    writeJpeg(dir + QStringLiteral("/picture.jpg"), 1600, 1200);
    return dir + QLatin1Char('/');
}

QString BenchFolder::LargePhotoPath()
{
    return root() + QStringLiteral("/large48/photo.jpg");
}

QString BenchFolder::LargePhotoFolder()
{
    const QString dir = root() + QStringLiteral("/large48");
    QDir().mkpath(dir);
    if (!QFile::exists(LargePhotoPath())) {
        const QString part = LargePhotoPath() + QStringLiteral(".part.jpg");
        QProcess::execute(QStringLiteral("convert"),
                          {QStringLiteral("-size"), QStringLiteral("8000x6000"), QStringLiteral("gradient:#f0a060-#302070"),
                           QStringLiteral("-attenuate"), QStringLiteral("0.3"), QStringLiteral("+noise"),
                           QStringLiteral("Uniform"), QStringLiteral("-quality"), QStringLiteral("90"), part});
        QFile::rename(part, LargePhotoPath());
    }
    return dir + QLatin1Char('/');
}
