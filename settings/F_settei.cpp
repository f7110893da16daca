#include "settings/F_settei.h"

#include "core/Module1.h"
#include "core/PicturePath.h"
#include "platform/Services.h"
#include "platform/Twips.h"
#include "platform/CursorDisplay.h"
#include "platform/DriveSource.h"
#include "platform/JapaneseFont.h"
#include "platform/Notifier.h"
#include "platform/PictureLoader.h"
#include "platform/WindowSystem.h"
#include "resources/ProgramIcon.h"
#include "settings/DirListBox.h"
#include "settings/DriveListBox.h"
#include "settings/FileListBox.h"
#include "settings/OptionFrame.h"
#include "settings/PreviewImage.h"
#include "settings/PreviewScale.h"
#include "settings/SettingsFile.h"
#include "settings/SpeedValue.h"
#include "settings/SpinScrollBar.h"

#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {
int px(int twips) { return Twips::toPixels(static_cast<float>(twips)); }

void place(QWidget *w, int left, int top, int width, int height)
{
    w->setGeometry(px(left), px(top), px(width), px(height));
}

const QString kSwitchSpeedCaption = QStringLiteral("画像切換スピード");
const QString kMoveSpeedCaption = QStringLiteral("画像移動スピード");
constexpr int kClientWidth = 5415;
constexpr int kClientHeight = 6495;
}

F_settei::F_settei(Edition edition, Module1 &module, Services &services, SettingsFile &settingsFile,
                   QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
    , edition_(edition)
    , module_(module)
    , services_(services)
    , settingsFile_(settingsFile)
{
    setObjectName(QStringLiteral("F_settei"));
    setAttribute(Qt::WA_QuitOnClose, false);
    JapaneseFont::install();
    setFont(JapaneseFont::font());
    setWindowIcon(ProgramIcon::icon());
    setFixedSize(px(kClientWidth), px(kClientHeight));
    setSizeGripEnabled(false);
    createControls();
    setTabOrder();
    connectHandlers();
}

F_settei::~F_settei() = default;

void F_settei::setCaption(QLabel *label, const QString &text)
{
    label->setText(text);
    label->adjustSize();
}

void F_settei::createControls()
{
    const bool manual = edition_ == Edition::Manual;

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    place(Label2, 420, 60, 4485, 195);
    setCaption(Label2, QStringLiteral("以下で指定したフォルダの中の画像を表示します。"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    place(Label1, 120, 300, 5205, 195);
    setCaption(Label1, QStringLiteral("（表示可能なファイル：ＢＭＰ、ＪＰＥＧ(JPG)、ＧＩＦ）"));

    Text3 = new QLineEdit(QStringLiteral("Text3"), this);
    Text3->setObjectName(QStringLiteral("Text3"));
    place(Text3, 120, 540, 5175, 375);

    Drive1 = new DriveListBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    place(Drive1, 120, 900, 2535, 315);

    Dir1 = new DirListBox(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    place(Dir1, 120, 1260, 2535, 2340);

    File1 = new FileListBox(this);
    File1->setObjectName(QStringLiteral("File1"));
    place(File1, manual ? 2700 : 2640, 1020, 2655, 2625);
    QPalette filePalette = File1->palette();
    filePalette.setColor(QPalette::Text, Qt::black);
    File1->setPalette(filePalette);

    // The lists start on the folder the process works in, and its drive.
    const QString current = services_.drives.CurrentFolder();
    Drive1->SetDrives(services_.drives.Drives());
    Drive1->SetDrive(current);
    Dir1->SetPath(current);
    File1->SetPath(Dir1->Path());

    Frame1 = new OptionFrame(QStringLiteral("画像の表示位置"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    place(Frame1, 60, 3660, 2655, 1395);
    Option1 = Frame1->AddOption(QStringLiteral("Option1"), QStringLiteral("中央"), 480, 300, 735, 255);
    Option2 = Frame1->AddOption(QStringLiteral("Option2"), QStringLiteral("ランダム"), 480, 540, 1155, 255);
    Option3 = Frame1->AddOption(QStringLiteral("Option3"), QStringLiteral("移動"), 480, 780, 795, 255);
    Option1->setChecked(true);

    Label5 = new QLabel(Frame1);
    Label5->setObjectName(QStringLiteral("Label5"));
    place(Label5, 120, 1080, 1560, 195);
    setCaption(Label5, kSwitchSpeedCaption);

    Text1 = new QLineEdit(QStringLiteral("Text4"), Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    // It shows what VS1 sets; no typing, paste, middle-button paste, drop or
    // context-menu action changes it. It still takes the focus in the tab order.
    Text1->setReadOnly(true);
    place(Text1, 1740, 960, 495, 375);

    VS1 = new SpinScrollBar(Frame1);
    VS1->setObjectName(QStringLiteral("VS1"));
    place(VS1, 2220, 960, 375, 375);
    VS1->SetValue(10);

    Frame2 = new OptionFrame(QStringLiteral("画像の表示順序"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    place(Frame2, 60, 5100, 2655, 855);
    Option4 = Frame2->AddOption(QStringLiteral("Option4"), QStringLiteral("ファイル名順"), 480, 240, 1515, 255);
    Option5 = Frame2->AddOption(QStringLiteral("Option5"), QStringLiteral("ランダム"), 480, 540, 1215, 255);
    Option5->setChecked(true);

    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    place(Label3, 2820, 3660, 1365, 195);
    setCaption(Label3, QStringLiteral("画像プレビュー"));

    Image1 = new PreviewImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->Move(2760, 3900);
    Image1->SetWidth(PreviewScale::kAreaWidth);
    Image1->SetHeight(PreviewScale::kAreaHeight);

    Command1 = new QPushButton(manual ? QStringLiteral("表示") : QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    place(Command1, 2820, 6000, 1215, 495);

    Command3 = new QPushButton(manual ? QStringLiteral("終了") : QStringLiteral("CANCEL"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    place(Command3, 4140, 6000, 1215, 495);

    // No default button: Enter presses a button only when the button has the focus.
    for (QPushButton *button : {Command1, Command3}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    for (QLabel *label : {Label2, Label1, Label5, Label3})
        label->setFocusPolicy(Qt::NoFocus);
}

void F_settei::setTabOrder()
{
    // Labels and frames hold places in the order but never take the focus, so the
    // chain runs through the controls that can.
    const QList<QWidget *> order = {Drive1, Dir1,   File1,  Text3, Command1, Option1,
                                    Option2, Option3, Text1, VS1,  Option4,  Option5, Command3};
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void F_settei::connectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, &F_settei::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &F_settei::Command3_Click);
    connect(Drive1, &DriveListBox::Change, this, &F_settei::Drive1_Change);
    connect(Dir1, &DirListBox::Change, this, &F_settei::Dir1_Change);
    connect(File1, &FileListBox::Click, this, &F_settei::File1_Click);
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) { if (on) Option1_Click(); });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) { if (on) Option2_Click(); });
    connect(Option3, &QRadioButton::toggled, this, [this](bool on) { if (on) Option3_Click(); });
    connect(VS1, &SpinScrollBar::Change, this, &F_settei::VS1_Change);
    Text1->installEventFilter(this);
}

bool F_settei::Form_Load()
{
    SaverSettings &s = module_.settings;

    // 1. Centre on the screen, in twips, single precision. What is centred is
    // what the user sees: under a window manager the frame, title bar included;
    // without one the client area. The client goes inside the centred frame.
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QMargins frame = services_.windows.FrameMargins(this);
        const QRect geometry = screen->geometry();
        const float frameWidth = static_cast<float>(width() + frame.left() + frame.right());
        const float frameHeight = static_cast<float>(height() + frame.top() + frame.bottom());
        const float left = (static_cast<float>(geometry.width()) * Twips::kPerPixel - frameWidth * Twips::kPerPixel) / 2;
        const float top = (static_cast<float>(geometry.height()) * Twips::kPerPixel - frameHeight * Twips::kPerPixel) / 2;
        move(geometry.x() + Twips::toPixels(left) + frame.left(), geometry.y() + Twips::toPixels(top) + frame.top());
    }

    // 2. Caption.
    setWindowTitle(edition_ == Edition::Manual ? QStringLiteral("Vistello Ver.1.0 【手動版】")
                                               : QStringLiteral("Vistello Ver.1.0"));

    // 3. Pointer, or the single-instance test of the manual edition.
    if (edition_ == Edition::ScreenSaver) {
        services_.cursor.ShowCursor(true);
    } else if (otherInstanceRunning_ && otherInstanceRunning_()) {
        return false;
    }

    // 4. Read the settings; on failure the record holds the defaults and the user is told.
    const SettingsFile::Result loaded = settingsFile_.LoadSettings(s);
    if (!loaded.ok)
        services_.notifier.MsgBox(loaded.reason, kWarningStyle, this);

    // 5. Display mode and speed. A mode other than 2 or 3 opens as mode 1 does.
    if (s.Mode() == ShowMode::Moving) {
        Option3->setChecked(true);
        setCaption(Label5, kMoveSpeedCaption);
        Text1->setText(SpeedValue::DisplayText(s.MoveSpeed));
        VS1->SetValue(SpeedValue::ScrollValue(s.MoveSpeed));
    } else {
        (s.Mode() == ShowMode::RandomPlace ? Option2 : Option1)->setChecked(true);
        setCaption(Label5, kSwitchSpeedCaption);
        Text1->setText(SpeedValue::DisplayText(s.SwitchSpeed));
        VS1->SetValue(SpeedValue::ScrollValue(s.SwitchSpeed));
    }

    // 6. Order.
    (s.InFileNameOrder() ? Option4 : Option5)->setChecked(true);

    // 7. Folder text.
    Text3->setText(s.PictureFolder);

    // 8 and 9. Drive and folder lists. A folder that is gone opens on its nearest
    // existing parent; one that is no absolute path leaves the lists where they are.
    const QString folder = NearestExistingFolder(s.PictureFolder);
    if (!folder.isEmpty()) {
        Drive1->SetDrive(folder);
        Dir1->SetPath(folder);
    }
    return true;
}

QString F_settei::NearestExistingFolder(const QString &path)
{
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return QString();
    QString candidate = QDir::cleanPath(path);
    while (!QFileInfo(candidate).isDir()) {
        const QString parent = QFileInfo(candidate).path();
        if (parent == candidate)
            return QStringLiteral("/");
        candidate = parent;
    }
    return candidate;
}

void F_settei::Show()
{
    if (unloaded_)
        return;
    show();
    activateWindow();
    Drive1->setFocus(Qt::OtherFocusReason);
}

void F_settei::ShowModal()
{
    if (unloaded_)
        return;
    QWidget *owner = parentWidget();
    if (owner)
        owner->setEnabled(false);
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &F_settei::unloaded, &loop, &QEventLoop::quit);
    Show();
    if (!unloaded_)
        loop.exec();
    if (owner)
        owner->setEnabled(true);
}

void F_settei::Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    Form_Unload();
    hide();
    Q_EMIT unloaded();
}

void F_settei::Form_Unload()
{
    if (edition_ == Edition::ScreenSaver)
        services_.cursor.ShowCursor(false);
}

void F_settei::Command1_Click()
{
    SaverSettings &s = module_.settings;
    const QString folder = PicturePath::WithSlash(Dir1->Path());
    // A line break in the folder name would split the line of the settings file
    // and shift every line after it.
    if (folder.contains(QLatin1Char('\n')) || folder.contains(QLatin1Char('\r'))) {
        services_.notifier.MsgBox(lineBreakMessage(), kWarningStyle, this);
        return;
    }
    s.PictureFolder = folder;
    s.PictureOrder = Option4->isChecked() ? SaverSettings::fileNameOrder() : SaverSettings::randomOrder();
    if (Option1->isChecked()) {
        s.DisplayMode = 1;
        s.SwitchSpeed = VS1->Value();
    }
    if (Option2->isChecked()) {
        s.DisplayMode = 2;
        s.SwitchSpeed = VS1->Value();
    }
    if (Option3->isChecked()) {
        s.DisplayMode = 3;
        s.MoveSpeed = VS1->Value();
    }
    const SettingsFile::Result saved = settingsFile_.SaveSettings(s);
    if (!saved.ok) {
        // The old file is intact. The screen saver's dialog stays so the user can
        // try again or leave; the manual edition still runs the show with the
        // settings in memory, which is what the user asked for.
        services_.notifier.MsgBox(saved.reason, kWarningStyle, this);
        if (edition_ == Edition::ScreenSaver)
            return;
    }
    if (edition_ == Edition::ScreenSaver)
        Unload();
    else if (runShow_)
        runShow_();
}

QString F_settei::lineBreakMessage()
{
    return QStringLiteral("フォルダ名に改行が含まれているため、設定を保存できません。別のフォルダを選んでください。");
}

void F_settei::Command3_Click()
{
    Unload();
}

void F_settei::Drive1_Change()
{
    // Each step runs even when an earlier one failed; a failure warns and goes
    // back to the last good drive, whose own change runs nested here.
    const QString root = Drive1->Drive();
    const bool reached = !root.isEmpty() && services_.drives.IsReady(root) && Dir1->SetPath(root);
    if (!reached) {
        services_.notifier.Beep();
        services_.notifier.MsgBox(driveNotReadyMessage(), kDriveNotReadyStyle, this);
        Drive1->SetListIndex(LastDriveIndex.value_or(0));
    }
    LastDriveIndex = Drive1->ListIndex();
    Text3->setText(Dir1->Path());
}

void F_settei::Dir1_Change()
{
    File1->SetPath(Dir1->Path());
    Text3->setText(Dir1->Path());
}

bool F_settei::HasPictureEnding(const QString &fileName)
{
    static const QStringList three = {QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("gif"),
                                      QStringLiteral("BMP"), QStringLiteral("JPG"), QStringLiteral("GIF")};
    static const QStringList four = {QStringLiteral("jpeg"), QStringLiteral("JPEG")};
    return (fileName.size() >= 3 && three.contains(fileName.right(3))) ||
           (fileName.size() >= 4 && four.contains(fileName.right(4)));
}

void F_settei::File1_Click()
{
    const QString name = File1->FileName();
    if (!HasPictureEnding(name))
        return;
    module_.settings.PictureFolder = PicturePath::WithSlash(Dir1->Path());
    const QString path = module_.settings.PictureFolder + name;
    // The fit comes from the header's size; a picture larger than the area is
    // decoded at the size it is shown at (a JPEG at 1/2 to 1/8 to begin with).
    const PictureHeader header = services_.pictures.ReadHeader(path);
    if (!header.ok())
        return;
    const QSizeF natural = Image1->NaturalSize(header.size);
    const PreviewScale::Fit fit =
        PreviewScale::FitPicture(static_cast<float>(natural.width()), static_cast<float>(natural.height()));
    const QSize shown = QSize(Twips::toPixels(fit.width), Twips::toPixels(fit.height)) * Image1->devicePixelRatioF();
    const LoadedPicture picture = fit.reduced ? services_.pictures.LoadScaled(path, shown.expandedTo(QSize(1, 1)))
                                              : services_.pictures.Load(path);
    // A file that cannot be read leaves the preview and its caption as they were.
    if (!picture.ok())
        return;
    Image1->SetStretch(false);
    Image1->SetPicture(picture.image, header.size);
    setCaption(Label3, PreviewScale::Caption(1.0f));
    if (fit.reduced) {
        Image1->SetHeight(fit.height);
        Image1->SetWidth(fit.width);
        setCaption(Label3, fit.caption);
        Image1->SetStretch(true);
    }
}

void F_settei::showSwitchSpeed()
{
    setCaption(Label5, kSwitchSpeedCaption);
    Text1->setText(SpeedValue::DisplayText(module_.settings.SwitchSpeed));
    VS1->SetValue(SpeedValue::ScrollValue(module_.settings.SwitchSpeed));
}

void F_settei::showMoveSpeed()
{
    setCaption(Label5, kMoveSpeedCaption);
    Text1->setText(SpeedValue::DisplayText(module_.settings.MoveSpeed));
    VS1->SetValue(SpeedValue::ScrollValue(module_.settings.MoveSpeed));
}

void F_settei::Option1_Click() { showSwitchSpeed(); }
void F_settei::Option2_Click() { showSwitchSpeed(); }
void F_settei::Option3_Click() { showMoveSpeed(); }

void F_settei::VS1_Change()
{
    Text1->setText(QString::number(VS1->Value()));
    if (Option3->isChecked())
        module_.settings.MoveSpeed = VS1->Value();
    else
        module_.settings.SwitchSpeed = VS1->Value();
}

void F_settei::Text1_GotFocus()
{
    VS1->setFocus(Qt::OtherFocusReason);
}

bool F_settei::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Text1 && event->type() == QEvent::FocusIn) {
        // Shift+Tab from the scroll bar lands here too; handing the focus back to
        // the scroll bar would trap the keyboard, so it goes on backwards instead.
        if (static_cast<QFocusEvent *>(event)->reason() == Qt::BacktabFocusReason)
            focusNextPrevChild(false);
        else
            Text1_GotFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void F_settei::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        Command3_Click();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Only a button that has the focus is pressed by Enter.
        event->accept();
        if (QWidget *focus = focusWidget(); focus == Command1 || focus == Command3)
            static_cast<QPushButton *>(focus)->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void F_settei::closeEvent(QCloseEvent *event)
{
    // The close box acts as Command3; the window is hidden by Unload, not by Qt.
    event->ignore();
    if (!unloaded_)
        Command3_Click();
}

void F_settei::reject()
{
    if (!unloaded_)
        Command3_Click();
}
