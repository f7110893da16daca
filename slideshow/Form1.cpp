#include "slideshow/Form1.h"

#include "core/Module1.h"
#include "platform/Services.h"
#include "platform/Twips.h"
#include "platform/CursorDisplay.h"
#include "platform/WindowSystem.h"
#include "resources/ProgramIcon.h"
#include "slideshow/CoverPlan.h"
#include "slideshow/MouseRule.h"
#include "slideshow/PictureBox.h"
#include "slideshow/ScreenCover.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace {
constexpr float kTwips = Twips::kPerPixel;

QRect primaryScreenGeometry()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 640, 480);
}
}

Form1::Form1(Edition edition, Module1 &module, Services &services, QWidget *parent)
    : QWidget(parent,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , edition_(edition)
    , module_(module)
    , services_(services)
    , engine_(module.settings, module.show, services.random, services.pictures, *this)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(ProgramIcon::icon());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_QuitOnClose, false);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setCursor(services.cursor.blankCursor());
    // The window has the screen's size from its creation, so that a load handler
    // that places the first picture before the window is shown sees the right extent.
    setGeometry(primaryScreenGeometry());

    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->SetBackColor(QColor(0, 0, 128));
    Picture1->SetLeft(kDesignLeft);
    Picture1->SetTop(kDesignTop);
    Picture1->SetSize(kDesignWidth, kDesignHeight);
    Picture1->setCursor(services.cursor.blankCursor());
    connect(Picture1, &PictureBox::keyDown, this, [this] { Picture1_KeyDown(); });
    connect(Picture1, &PictureBox::mouseDown, this, [this] { Picture1_MouseDown(); });
    // Movement over the picture counts like movement over the window: a photo
    // that fills the screen would otherwise leave no place where moving ends the show.
    connect(Picture1, &PictureBox::mouseMovedInParent, this, [this](QPointF pos) {
        Form_MouseMove(static_cast<float>(pos.x() * kTwips), static_cast<float>(pos.y() * kTwips));
    });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);

    // Monitors that come, go or change while the show runs gain or lose their
    // covers, and the show follows the primary monitor.
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen *screen) {
        WatchScreen(screen);
        ArrangeScreens();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &Form1::ArrangeScreens);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &Form1::ArrangeScreens);
    for (QScreen *screen : QGuiApplication::screens())
        WatchScreen(screen);
}

void Form1::WatchScreen(QScreen *screen)
{
    connect(screen, &QScreen::geometryChanged, this, &Form1::ArrangeScreens);
}

Form1::~Form1() = default;

void Form1::Show()
{
    if (unloaded_)
        return;
    fullScreen_ = true;
    ArrangeScreens();
    Picture1->setFocus(Qt::OtherFocusReason);
    services_.windows.grabKeyboard(this);
}

QScreen *Form1::ShowScreen() const
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    QList<QRect> areas;
    QList<bool> taken;
    for (QScreen *screen : screens)
        areas.append(screen->geometry()), taken.append(lostScreens_.contains(screen));
    const int index = CoverPlan::ShowScreen(areas, screens.indexOf(QGuiApplication::primaryScreen()), taken);
    return index < 0 ? nullptr : screens[index];
}

void Form1::ArrangeScreens()
{
    if (unloaded_ || !fullScreen_)
        return;
    QScreen *target = ShowScreen();
    if (!target) {
        // Nothing of the show could be seen, nor ended by input.
        Unload();
        return;
    }
    screen_ = target;
    services_.windows.ShowFullScreen(this, target, [this, target] { ScreenLost(target); });
    UpdateCovers();
}

void Form1::ScreenLost(QScreen *screen)
{
    lostScreens_.removeAll(nullptr);
    if (screen && !lostScreens_.contains(screen))
        lostScreens_.append(screen);
    ArrangeScreens();
}

void Form1::UpdateCovers()
{
    QList<QScreen *> screens;
    QList<QRect> areas;
    for (QScreen *screen : QGuiApplication::screens()) {
        if (!lostScreens_.contains(screen))
            screens.append(screen), areas.append(screen->geometry());
    }
    QList<QScreen *> wanted;
    for (int i : CoverPlan::ScreensToCover(areas, screen_->geometry()))
        wanted.append(screens[i]);

    // Later: this may run from a cover's own handler.
    std::erase_if(covers_, [&](ScreenCover *cover) {
        const bool keep = wanted.contains(cover->Screen());
        if (!keep) {
            cover->hide();
            cover->deleteLater();
        }
        return !keep;
    });
    for (QScreen *screen : wanted) {
        const auto found = std::find_if(covers_.begin(), covers_.end(),
                                        [&](const ScreenCover *cover) { return cover->Screen() == screen; });
        if (found == covers_.end())
            AddCover(screen);
        else
            (*found)->Cover();
    }
}

void Form1::AddCover(QScreen *screen)
{
    auto *cover = new ScreenCover(screen, services_, this);
    connect(cover, &ScreenCover::keyDown, this, &Form1::Form_KeyDown);
    connect(cover, &ScreenCover::mouseDown, this, &Form1::Form_MouseDown);
    // The movement rule sees positions in this window's frame, wherever the pointer is.
    connect(cover, &ScreenCover::mouseMoved, this, [this](QPointF layoutPos) {
        const QPointF p = layoutPos - QPointF(screen_ ? screen_->geometry().topLeft() : pos());
        Form_MouseMove(static_cast<float>(p.x() * kTwips), static_cast<float>(p.y() * kTwips));
    });
    connect(cover, &ScreenCover::lost, this, [this, screen] { ScreenLost(screen); });
    covers_.push_back(cover);
    cover->Cover();
}

bool Form1::PrepareShow()
{
    if (unloaded_)
        return false;
    return engine_.Prepare();
}

void Form1::Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    Form_Unload();
    Timer1->stop();
    services_.windows.releaseKeyboard(this);
    // The input that unloads may come from a cover, which must outlive its handler.
    for (ScreenCover *cover : covers_) {
        cover->hide();
        cover->deleteLater();
    }
    covers_.clear();
    hide();
    Q_EMIT unloaded();
}

void Form1::RunUntilUnloaded()
{
    if (unloaded_)
        return;
    QEventLoop loop;
    connect(this, &Form1::unloaded, &loop, &QEventLoop::quit);
    loop.exec();
}

void Form1::Form_Unload()
{
    if (edition_ == Edition::Manual)
        Timer1->stop();
    services_.cursor.ShowCursor(true);
}

float Form1::FormWidth() const { return static_cast<float>(width()) * kTwips; }
float Form1::FormHeight() const { return static_cast<float>(height()) * kTwips; }
float Form1::PictureLeft() const { return Picture1->Left(); }
float Form1::PictureTop() const { return Picture1->Top(); }
void Form1::SetPictureLeft(float twips) { Picture1->SetLeft(twips); }
void Form1::SetPictureTop(float twips) { Picture1->SetTop(twips); }
float Form1::PictureWidth() const { return Picture1->Width(); }
float Form1::PictureHeight() const { return Picture1->Height(); }
void Form1::SetPicture(const QImage &picture) { Picture1->SetPicture(picture); }
void Form1::SetPicturePart(QImage part, QPoint offset, QSize whole)
{
    Picture1->SetPicturePart(std::move(part), offset, whole, DevicePixelRatio());
}
void Form1::SetPictureBackColor(const QColor &color) { Picture1->SetBackColor(color); }

qreal Form1::DevicePixelRatio() const
{
    const QScreen *s = screen_ ? screen_.data() : screen();
    return s ? s->devicePixelRatio() : devicePixelRatioF();
}

void Form1::SetTimerInterval(int milliseconds)
{
    Timer1->setTimerType(milliseconds < 100 ? Qt::PreciseTimer : Qt::CoarseTimer);
    Timer1->setInterval(std::max(0, milliseconds));
}

int Form1::TimerInterval() const { return Timer1->interval(); }

void Form1::SetTimerEnabled(bool enabled)
{
    if (unloaded_)
        return;
    if (enabled)
        Timer1->start();
    else
        Timer1->stop();
}

bool Form1::ProcessPendingEvents()
{
    QCoreApplication::processEvents();
    return !unloaded_;
}

float Form1::ScreenWidth() const
{
    const QScreen *s = screen_ ? screen_.data() : screen();
    return static_cast<float>((s ? s->geometry().width() : width())) * kTwips;
}

void Form1::Form_KeyDown() { Unload(); }
void Form1::Form_MouseDown() { Unload(); }
void Form1::Picture1_KeyDown() { Unload(); }
void Form1::Picture1_MouseDown() { Unload(); }

void Form1::Form_MouseMove(float x, float y)
{
    if (unloaded_)
        return;
    bool end = false;
    if (edition_ == Edition::ScreenSaver)
        end = MouseRule::SaverReport(module_.saverMouse, x, y);
    else
        end = MouseRule::ManualReport(module_.manualMouse, FormWidth(), ScreenWidth(), x, y);
    if (end)
        Unload();
}

void Form1::Timer1_Timer()
{
    if (unloaded_)
        return;
    engine_.Tick();
}

bool Form1::event(QEvent *e)
{
    // The window's own key handler runs only while no control holds the focus.
    if (e->type() == QEvent::KeyPress) {
        Form_KeyDown();
        return true;
    }
    return QWidget::event(e);
}

void Form1::mousePressEvent(QMouseEvent *)
{
    Form_MouseDown();
}

void Form1::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = event->position();
    Form_MouseMove(static_cast<float>(p.x() * kTwips), static_cast<float>(p.y() * kTwips));
}

void Form1::closeEvent(QCloseEvent *event)
{
    // A window manager's close, Alt+F4 and the like unload the window like input does.
    Unload();
    event->accept();
}

void Form1::resizeEvent(QResizeEvent *)
{
    if (!unloaded_)
        engine_.WindowResized();
}

void Form1::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    p.fillRect(event->rect(), Qt::black);
}
