#include "settings/SettingsFile.h"

#include "core/NumberText.h"
#include "core/PicturePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace {

constexpr int kLineCount = 10;
constexpr const char *kCodePage = "windows-31j";
const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// Lines that hold texts; the others hold numbers and are always written in print form.
bool isTextLine(int index)
{
    return index < 2 || index >= 5;
}

bool hasNonAscii(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    }
    return false;
}

bool isValidUtf8(const QByteArray &bytes)
{
    // Stateless: a sequence cut off at the end counts as an error instead of
    // being held back for more input that never comes.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(bytes);
    Q_UNUSED(text);
    return !decoder.hasError();
}

// The converter's table for the code page (ICU's IBM-943) swaps three control
// characters: byte 1A gives U+001C, 1C gives U+007F and 7F gives U+001A, and the
// encoder swaps them back. The code page itself maps every byte below 80 to the
// same code point, as other programs read these files; this undoes the swap
// where the converter makes it.
bool converterSwapsControls()
{
    static const bool swaps = [] {
        QStringDecoder decoder(kCodePage);
        return decoder.decode(QByteArray("\x1a")) == QString(QChar(0x1C));
    }();
    return swaps;
}

QString unswapControls(QString text)
{
    if (!converterSwapsControls())
        return text;
    for (QChar &c : text) {
        switch (c.unicode()) {
        case 0x1C: c = QChar(0x1A); break;
        case 0x7F: c = QChar(0x1C); break;
        case 0x1A: c = QChar(0x7F); break;
        default: break;
        }
    }
    return text;
}

QString swapControls(QString text)
{
    if (!converterSwapsControls())
        return text;
    for (QChar &c : text) {
        switch (c.unicode()) {
        case 0x1A: c = QChar(0x1C); break;
        case 0x1C: c = QChar(0x7F); break;
        case 0x7F: c = QChar(0x1A); break;
        default: break;
        }
    }
    return text;
}

QString decode(const QByteArray &bytes, bool utf8)
{
    if (utf8)
        return QString::fromUtf8(bytes);
    QStringDecoder decoder(kCodePage);
    return unswapControls(decoder.decode(bytes));
}

// The code-page bytes of a text, when the code page can hold it. Decoding them
// again must give the same text, which also rules out the converter's
// best-fit substitutions.
std::optional<QByteArray> toCodePage(const QString &text)
{
    QStringEncoder encoder(kCodePage);
    const QByteArray bytes = encoder.encode(swapControls(text));
    if (encoder.hasError())
        return std::nullopt;
    QStringDecoder decoder(kCodePage);
    const QString back = unswapControls(decoder.decode(bytes));
    if (decoder.hasError() || back != text)
        return std::nullopt;
    return bytes;
}

// Splits off at most ten lines. Text after the last line end counts as a line
// of its own (a last line without CR LF, or a line cut by the read limit).
QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < bytes.size() && lines.size() < kLineCount) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.append(bytes.mid(start, i - start));
        i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < bytes.size() && lines.size() < kLineCount)
        lines.append(bytes.mid(start));
    return lines;
}

bool defaultFolderWritable(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

SettingsFile::Result failure(const QString &reason)
{
    return {false, reason};
}

} // namespace

SettingsFile::SettingsFile(const QString &programFolder, const QString &userConfigFolder,
                           const QString &userPicturesFolder, WritableCheck folderWritable)
    : programFolder_(programFolder)
    , userConfigFolder_(userConfigFolder)
    , userPicturesFolder_(userPicturesFolder)
    , folderWritable_(folderWritable ? std::move(folderWritable) : WritableCheck(defaultFolderWritable))
{
    if (userConfigFolder_.isEmpty())
        userConfigFolder_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                            + QStringLiteral("/Vistello");
    if (userPicturesFolder_.isEmpty()) {
        userPicturesFolder_ = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        if (userPicturesFolder_.isEmpty() || !QFileInfo(userPicturesFolder_).isDir())
            userPicturesFolder_ = QDir::homePath();
    }
    locate();
}

QString SettingsFile::FilePath() const
{
    return path_;
}

// The program folder is the place, unless it holds no settings file and cannot
// take one (a system-wide install); then each user keeps a file of their own.
void SettingsFile::locate()
{
    const QString inProgramFolder = PicturePath::WithSlash(programFolder_) + QLatin1String(kFileName);
    const QFileInfo info(inProgramFolder);
    if (info.exists() || info.isSymLink() || folderWritable_(programFolder_)) {
        path_ = inProgramFolder;
        defaultFolder_ = PicturePath::WithSlash(programFolder_);
    } else {
        path_ = PicturePath::WithSlash(userConfigFolder_) + QLatin1String(kFileName);
        defaultFolder_ = PicturePath::WithSlash(userPicturesFolder_);
    }
}

// The file keeps the text as written; the record gets the folder it means, so
// that the show and the dialog, whoever starts them and wherever, agree.
QString SettingsFile::resolveFolder(const QString &text) const
{
    if (text.isEmpty() || QDir::isAbsolutePath(text))
        return text;
    if (text.startsWith(QLatin1String("~/")))
        return PicturePath::WithSlash(QDir::homePath()) + text.mid(2);
    return PicturePath::WithSlash(QFileInfo(path_).path()) + text;
}

SaverSettings SettingsFile::defaults() const
{
    SaverSettings s;
    s.PictureFolder = defaultFolder_;
    s.PictureOrder = SaverSettings::randomOrder();
    s.DisplayMode = 1;
    s.SwitchSpeed = 9;
    s.MoveSpeed = 3;
    s.Spare1 = QStringLiteral("Spare1");
    s.Spare2 = QStringLiteral("Spare2");
    s.Spare3 = QStringLiteral("Spare3");
    s.Spare4 = QStringLiteral("Spare4");
    s.Spare5 = QStringLiteral("Spare5");
    return s;
}

SettingsFile::Result SettingsFile::LoadSettings(SaverSettings &settings)
{
    locate();
    settings = defaults();
    loadedRawLines_.clear();
    loadedTextLines_.clear();
    loadedEncoding_ = Encoding::CodePage;

    const QFileInfo info(path_);
    if (!info.exists() && !info.isSymLink()) {
        const Result created = SaveSettings(settings);
        if (!created.ok)
            return created;
    } else if (!info.isFile()) {
        return failure(QStringLiteral("設定ファイル「%1」は通常のファイルではないため、読み込めません。"
                                      "既定の設定を使います。").arg(QDir::toNativeSeparators(path_)));
    }

    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        return failure(QStringLiteral("設定ファイル「%1」を読み込めません（%2）。既定の設定を使います。")
                           .arg(QDir::toNativeSeparators(path_), file.errorString()));
    }
    QByteArray bytes;
    while (bytes.size() < kReadLimit) {
        const QByteArray chunk = file.read(qMin<qint64>(64 * 1024, kReadLimit - bytes.size()));
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError) {
        return failure(QStringLiteral("設定ファイル「%1」を読み込めません（%2）。既定の設定を使います。")
                           .arg(QDir::toNativeSeparators(path_), file.errorString()));
    }
    file.close();

    const bool marked = bytes.startsWith(kByteOrderMark);
    if (marked)
        bytes.remove(0, kByteOrderMark.size());
    const QList<QByteArray> lines = splitLines(bytes);
    // Code page 932 text is almost never valid UTF-8, while the UTF-8 bytes of
    // many kanji are valid code page 932: so UTF-8 is tried first.
    const QByteArray read = lines.join('\n');
    const bool utf8 = marked || (hasNonAscii(read) && isValidUtf8(read));

    QStringList texts;
    for (const QByteArray &line : lines)
        texts.append(decode(line, utf8));
    QString *const textFields[] = {&settings.PictureFolder, &settings.PictureOrder, nullptr, nullptr, nullptr,
                                   &settings.Spare1, &settings.Spare2, &settings.Spare3, &settings.Spare4,
                                   &settings.Spare5};
    double *const numberFields[] = {nullptr, nullptr, &settings.DisplayMode, &settings.SwitchSpeed,
                                    &settings.MoveSpeed};
    for (int i = 0; i < texts.size(); ++i) {
        if (isTextLine(i))
            *textFields[i] = texts[i];
        else
            *numberFields[i] = NumberText::LeadingNumber(texts[i]);
    }

    settings.PictureFolder = resolveFolder(settings.PictureFolder);
    loadedRawLines_ = lines;
    loadedTextLines_ = texts;
    loadedEncoding_ = marked ? Encoding::Utf8WithMark : utf8 ? Encoding::Utf8 : Encoding::CodePage;
    return {};
}

// Code page 932 whenever every text fits it and the file would not be mistaken
// for UTF-8 when read again, whatever the file was read in; UTF-8 with a
// byte-order mark otherwise. A text unchanged since it was read keeps the very
// bytes it was read from where they are in the encoding written.
QList<QByteArray> SettingsFile::encodeLines(const QStringList &texts, Encoding &encoding) const
{
    const auto unchanged = [&](int i, bool codePage) {
        return isTextLine(i) && i < loadedRawLines_.size() && texts[i] == loadedTextLines_[i]
               && (loadedEncoding_ == Encoding::CodePage) == codePage;
    };
    QList<QByteArray> lines;
    bool fits = true;
    for (int i = 0; i < texts.size() && fits; ++i) {
        const std::optional<QByteArray> bytes = unchanged(i, true) ? loadedRawLines_[i] : toCodePage(texts[i]);
        fits = bytes.has_value();
        if (fits)
            lines.append(*bytes);
    }
    if (fits) {
        const QByteArray all = lines.join('\n');
        if (!hasNonAscii(all) || !isValidUtf8(all)) {
            encoding = Encoding::CodePage;
            return lines;
        }
    }
    encoding = Encoding::Utf8WithMark;
    lines.clear();
    for (int i = 0; i < texts.size(); ++i)
        lines.append(unchanged(i, false) ? loadedRawLines_[i] : texts[i].toUtf8());
    return lines;
}

SettingsFile::Result SettingsFile::SaveSettings(const SaverSettings &settings)
{
    const QStringList texts = {settings.PictureFolder,
                               settings.PictureOrder,
                               NumberText::PrintForm(settings.DisplayMode),
                               NumberText::PrintForm(settings.SwitchSpeed),
                               NumberText::PrintForm(settings.MoveSpeed),
                               settings.Spare1,
                               settings.Spare2,
                               settings.Spare3,
                               settings.Spare4,
                               settings.Spare5};
    // A line break inside a text would shift every later line of the file.
    for (const QString &text : texts) {
        if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))) {
            return failure(QStringLiteral("設定に改行が含まれているため、設定ファイル「%1」を保存できません。")
                               .arg(QDir::toNativeSeparators(path_)));
        }
    }

    Encoding encoding = Encoding::CodePage;
    const QList<QByteArray> lines = encodeLines(texts, encoding);
    QByteArray bytes = encoding == Encoding::Utf8WithMark ? kByteOrderMark : QByteArray();
    for (const QByteArray &line : lines)
        bytes += line + "\r\n";

    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile file(path_);
    // The explicit flush matters: a short write at commit time (disk full) is
    // otherwise not always reported, and a truncated file would replace the old one.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        return failure(QStringLiteral("設定ファイル「%1」を保存できません（%2）。")
                           .arg(QDir::toNativeSeparators(path_), file.errorString()));
    }
    loadedRawLines_ = lines;
    loadedTextLines_ = texts;
    loadedEncoding_ = encoding;
    return {};
}
