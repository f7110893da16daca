// Any bytes as Vistello.ini: loading never fails on content, yields usable values,
// and what is then stored reads back to the same settings.
#include "core/SaverSettings.h"
#include "settings/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {
QTemporaryDir *scratch = nullptr;

void check(bool condition, const char *what)
{
    if (!condition) {
        fprintf(stderr, "property broken: %s\n", what);
        abort();
    }
}
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    scratch = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString folder = scratch->path();
    const QString path = folder + "/Vistello.ini";
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    const auto writable = [](const QString &) { return true; };
    SettingsFile reader(folder, folder + "/config", folder + "/pictures", writable);
    SaverSettings settings;
    const SettingsFile::Result loaded = reader.LoadSettings(settings);
    check(loaded.ok, "a readable file loads");
    check(std::isfinite(settings.DisplayMode) && std::isfinite(settings.SwitchSpeed)
              && std::isfinite(settings.MoveSpeed),
          "numbers are finite");

    check(reader.SaveSettings(settings).ok, "store succeeds");
    SettingsFile again(folder, folder + "/config", folder + "/pictures", writable);
    SaverSettings reread;
    check(again.LoadSettings(reread).ok, "stored file loads");
    check(reread == settings, "stored settings read back the same");
    QFile::remove(path);
    return 0;
}
