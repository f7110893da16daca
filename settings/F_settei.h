#pragma once

#include "core/Edition.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

class DirListBox;
class DriveListBox;
class FileListBox;
class OptionFrame;
class PreviewImage;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SettingsFile;
class SpinScrollBar;
struct Module1;
struct Services;

// The settings dialog: picture folder with preview, picture order, display mode
// and speed. Every control is named as it is called here, so tests find it by
// object name. Setting a control from the program runs its handler before the
// setting returns, as a user action does; a setting that leaves the value as it
// was runs nothing.
class F_settei : public QDialog {
    Q_OBJECT
public:
    F_settei(Edition edition, Module1 &module, Services &services, SettingsFile &settingsFile,
             QWidget *parent = nullptr);
    ~F_settei() override;

    // Manual edition: what Command1 runs after storing (the slideshow).
    void setRunShow(std::function<void()> runShow) { runShow_ = std::move(runShow); }
    // Manual edition: whether another instance already runs, asked when the dialog opens.
    void setOtherInstanceRunning(std::function<bool()> check) { otherInstanceRunning_ = std::move(check); }

    // Runs the opening sequence. Returns false when the program must end at once
    // (the manual edition found another instance running).
    bool Form_Load();

    // Shows the dialog with the focus on Drive1, without waiting.
    void Show();

    // Shows the dialog and runs a local event loop until it is unloaded.
    void ShowModal();

    // Closes the dialog: runs Form_Unload once and hides the window.
    void Unload();
    bool isUnloaded() const { return unloaded_; }

    // Handlers.
    void Command1_Click();
    void Command3_Click();
    void Drive1_Change();
    void Dir1_Change();
    void File1_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void VS1_Change();
    void Text1_GotFocus();

    // The ending test of the file list: the last three characters exactly "bmp",
    // "jpg", "gif" or their capitals, or the last four "jpeg" or "JPEG".
    static bool HasPictureEnding(const QString &fileName);

    static QString driveNotReadyMessage() { return QStringLiteral("ドライブの準備ができていません。"); }
    static QString lineBreakMessage();
    static constexpr int kDriveNotReadyStyle = 8;
    static constexpr int kWarningStyle = 48;

    // The nearest folder at or above the path that exists; empty for a path that
    // is not absolute.
    static QString NearestExistingFolder(const QString &path);

    // The list position of the last drive a drive change reached without error;
    // empty until then (it then counts as the first drive).
    std::optional<int> LastDriveIndex;

    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *Text3 = nullptr;
    DriveListBox *Drive1 = nullptr;
    DirListBox *Dir1 = nullptr;
    FileListBox *File1 = nullptr;
    OptionFrame *Frame1 = nullptr;
    QRadioButton *Option1 = nullptr;
    QRadioButton *Option2 = nullptr;
    QRadioButton *Option3 = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *Text1 = nullptr;
    SpinScrollBar *VS1 = nullptr;
    OptionFrame *Frame2 = nullptr;
    QRadioButton *Option4 = nullptr;
    QRadioButton *Option5 = nullptr;
    QLabel *Label3 = nullptr;
    PreviewImage *Image1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command3 = nullptr;

Q_SIGNALS:
    void unloaded();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

public Q_SLOTS:
    void reject() override;

private:
    void createControls();
    void setTabOrder();
    void connectHandlers();
    void Form_Unload();
    void showSwitchSpeed();
    void showMoveSpeed();
    void setCaption(QLabel *label, const QString &text);

    Edition edition_;
    Module1 &module_;
    Services &services_;
    SettingsFile &settingsFile_;
    std::function<void()> runShow_;
    std::function<bool()> otherInstanceRunning_;
    bool unloaded_ = false;
};
