// PROVISIONAL: replaced by the settings-file work.
#include "settings/SettingsFile.h"
#include <QFile>
SettingsFile::SettingsFile(const QString &programFolder, const QString &, const QString &)
    : programFolder_(programFolder), path_(programFolder + QStringLiteral("/Vistello.ini")) {}
QString SettingsFile::FilePath() const { return path_; }
SettingsFile::Result SettingsFile::LoadSettings(SaverSettings &s)
{
    s.PictureFolder = programFolder_ + QStringLiteral("/"); s.PictureOrder = QStringLiteral("RANDOM");
    s.DisplayMode = 1; s.SwitchSpeed = 9; s.MoveSpeed = 3;
    return {};
}
SettingsFile::Result SettingsFile::SaveSettings(const SaverSettings &) { return {}; }
