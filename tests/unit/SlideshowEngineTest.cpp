#include "settings/SaverSettings.h"
#include "slideshow/SlideshowEngine.h"
#include "slideshow/SlideshowState.h"
#include "support/TextOf.h"
#include "support/FakePictureLoader.h"
#include "support/FakeShowSurface.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
// Scripted values, with every reseed and draw written to a shared log.
class LoggingRandom : public RandomSource {
public:
    explicit LoggingRandom(QStringList &log) : log_(log) {}
    void Randomize() override { log_ << "seed"; }
    float Rnd() override
    {
        log_ << "draw";
        return inner.Rnd();
    }
    ScriptedRandom inner;

private:
    QStringList &log_;
};

// A 1024 x 768 pixel window (15360 x 11520 twips) and three pictures.
struct Rig {
    explicit Rig(int count = 3, const char *order = "FILE_NAME", double mode = 1)
        : random(log)
    {
        surface.log = &log;
        settings.PictureFolder = "/pics/";
        settings.PictureOrder = QString::fromLatin1(order);
        settings.DisplayMode = mode;
        settings.MoveSpeed = 3;
        for (int i = 1; i <= count; ++i) {
            state.ImageList[static_cast<std::size_t>(i)] = QStringLiteral("p%1.jpg").arg(i);
            pictures.add(QStringLiteral("/pics/p%1.jpg").arg(i), 320, 240);
        }
        state.ImageCount = static_cast<std::int16_t>(count);
        state.CurrentIndex = 1;
    }
    void script(std::initializer_list<float> values)
    {
        for (float v : values)
            random.inner.push(v);
    }
    void breakPicture(int i) { pictures.pictures.remove(QStringLiteral("/pics/p%1.jpg").arg(i)); }
    // Seeds, draws and position writes only, without the size reads.
    QStringList steps() const
    {
        QStringList out;
        for (const QString &s : log)
            if (s == "seed" || s == "draw" || s.startsWith("Left") || s.startsWith("Top"))
                out << s;
        return out;
    }

    QStringList log;
    SaverSettings settings;
    SlideshowState state;
    LoggingRandom random;
    FakePictureLoader pictures;
    FakeShowSurface surface{15360, 11520};
    SlideshowEngine engine{settings, state, random, pictures, surface};
};

QStringList paths(std::initializer_list<int> indexes)
{
    QStringList out;
    for (int i : indexes)
        out << QStringLiteral("/pics/p%1.jpg").arg(i);
    return out;
}

constexpr float kAlmostOne = 0.99999994f;  // the largest float below 1
// High enough for the last whole degree of a heading range; with kAlmostOne the
// single-precision sum r * 91 + 135 already rounds up to the next degree.
constexpr float kHigh = 0.9999f;
}

TEST(SlideshowEngineTest, PlaceCentredSplitsTheOverhangEvenly)
{
    Rig rig;
    rig.surface.setPictureSize(1500, 750);
    rig.engine.PlaceCentred();
    EXPECT_EQ(rig.surface.left, 6930);
    EXPECT_EQ(rig.surface.top, 5385);

    rig.surface.setPictureSize(1515, 765);  // odd pixel sizes: half twips, not rounded
    rig.engine.PlaceCentred();
    EXPECT_EQ(rig.surface.left, 6922.5f);
    EXPECT_EQ(rig.surface.top, 5377.5f);

    rig.surface.setPictureSize(30000, 15000);  // larger than the window both ways
    rig.engine.PlaceCentred();
    EXPECT_EQ(rig.surface.left, -7320);
    EXPECT_EQ(rig.surface.top, -1740);
}

TEST(SlideshowEngineTest, PlaceAtRandomCoversTheWindowInWholeTwipsAlsoForPicturesAsWideOrWider)
{
    Rig rig;
    rig.surface.setPictureSize(1500, 750);
    rig.script({0.5f, kAlmostOne});
    rig.engine.PlaceAtRandom();
    EXPECT_EQ(rig.surface.left, 6930);    // floor(13861 * 0.5)
    EXPECT_EQ(rig.surface.top, 10770);    // H - h: the picture stays inside

    rig.log.clear();
    rig.engine.PlaceAtRandom();
    EXPECT_EQ(TextOf(rig.log), TextOf(QStringList({"seed", "w", "draw", "W", "Left=13860", "seed", "h", "draw", "H", "Top=10770"})));

    rig.surface.setPictureSize(15360, 11520);  // exactly the window
    rig.script({kAlmostOne, kAlmostOne});
    rig.engine.PlaceAtRandom();
    EXPECT_EQ(rig.surface.left, 0);
    EXPECT_EQ(rig.surface.top, 0);

    rig.surface.setPictureSize(30000, 15000);  // W - w + 1 = -14639, H - h + 1 = -3479
    rig.script({0, kAlmostOne, 0.5f, 0.5f});
    rig.engine.PlaceAtRandom();
    EXPECT_EQ(rig.surface.left, 0);
    EXPECT_EQ(rig.surface.top, -3479);
    rig.engine.PlaceAtRandom();
    EXPECT_EQ(rig.surface.left, -7320);  // floor(-7319.5)
    EXPECT_EQ(rig.surface.top, -1740);   // floor(-1739.5)
}

TEST(SlideshowEngineTest, EnterFromEachEdgeInDrawOrder)
{
    struct Case {
        std::initializer_list<float> values;
        float left, top, degrees;
        QStringList steps;
    };
    const float d0 = 0.5f;
    const Case cases[] = {
        {{0, 0.5f, d0}, -4800, 3960, 0,
         {"seed", "draw", "Left=-4800", "seed", "draw", "Top=3960", "seed", "draw"}},
        {{0.25f, 0.5f, 0}, 5280, 11520, 45,
         {"seed", "draw", "seed", "draw", "Left=5280", "Top=11520", "seed", "draw"}},
        {{0.5f, kAlmostOne, kHigh}, 15360, 7920, 225,
         {"seed", "draw", "Left=15360", "seed", "draw", "Top=7920", "seed", "draw"}},
        {{0.75f, 0, 0.5f}, 0, -3600, 270,
         {"seed", "draw", "seed", "draw", "Left=0", "Top=-3600", "seed", "draw"}},
    };
    for (const Case &c : cases) {
        Rig rig;
        rig.surface.setPictureSize(4800, 3600);
        rig.script(c.values);
        rig.engine.EnterFromRandomEdge();
        EXPECT_EQ(rig.surface.left, c.left);
        EXPECT_EQ(rig.surface.top, c.top);
        EXPECT_DOUBLE_EQ(rig.state.MoveAngle, c.degrees * (3.141592 / 180));
        EXPECT_EQ(TextOf(rig.steps()), TextOf(c.steps));
        // Just outside the window, exactly on the leaving limits: not gone yet.
        EXPECT_FALSE(rig.engine.HasLeft());
    }
}

TEST(SlideshowEngineTest, MoveArithmeticUsesTheShortPiAndSinglePositions)
{
    Rig rig;
    // Edge 1, top 0, and a heading draw giving floor(r * 91 - 45) = 30.
    rig.script({0, 0, 75.5f / 91});
    rig.engine.EnterFromRandomEdge();
    EXPECT_NEAR(rig.state.MoveAngle, 0.5235986666666667, 1e-15);
    rig.surface.left = 0;
    rig.surface.top = 0;
    rig.engine.MoveStep();
    EXPECT_NEAR(rig.surface.left, 25.98, 0.001);
    EXPECT_NEAR(rig.surface.top, -14.99999717, 1e-6);
    EXPECT_NE(rig.surface.top, -15.0f);

    // The step starts from the stored single value; the sum is stored as single.
    rig.surface.left = 1.0e7f;
    rig.engine.MoveStep();
    EXPECT_EQ(rig.surface.left, 10000026.0f);
}

TEST(SlideshowEngineTest, LeavingTestIsStrictOnAllFourLimits)
{
    Rig rig;
    rig.surface.setPictureSize(4800, 3600);
    const float inf = std::numeric_limits<float>::infinity();
    struct Pos { float left, top; bool gone; };
    const Pos cases[] = {
        {0, -3600, false}, {0, std::nextafter(-3600.0f, -inf), true},    // above
        {0, 11520, false}, {0, std::nextafter(11520.0f, inf), true},      // below
        {-4800, 0, false}, {std::nextafter(-4800.0f, -inf), 0, true},     // left
        {15360, 0, false}, {std::nextafter(15360.0f, inf), 0, true},      // right
        {inf, 0, true}, {0, -inf, true}, {std::nanf(""), 0, true},        // no longer a position
    };
    for (const Pos &p : cases) {
        rig.surface.left = p.left;
        rig.surface.top = p.top;
        EXPECT_EQ(rig.engine.HasLeft(), p.gone) << p.left << ", " << p.top;
    }
}

TEST(SlideshowEngineTest, OrderSequencesInFileNameAndRandomOrder)
{
    Rig rig(3);
    for (int i = 0; i < 4; ++i)
        rig.engine.Tick();
    EXPECT_EQ(TextOf(rig.pictures.requested), TextOf(paths({2, 3, 1, 2})));
    EXPECT_EQ(rig.state.CurrentIndex, 2);
    EXPECT_EQ(rig.random.inner.draws, 0);
    // Centred: 320 x 240 pixels in a 1024 x 768 window.
    EXPECT_EQ(rig.surface.left, 5280);
    EXPECT_EQ(rig.surface.top, 3960);

    // Random order draws at each switch and still advances the counter.
    Rig random(3, "RANDOM");
    random.script({0, kAlmostOne, 0.5f, 0.5f});
    for (int i = 0; i < 4; ++i)
        random.engine.Tick();
    EXPECT_EQ(TextOf(random.pictures.requested), TextOf(paths({1, 3, 2, 2})));  // the same one twice in a row
    EXPECT_EQ(random.state.RandomIndex, 2);
    EXPECT_EQ(random.state.CurrentIndex, 2);  // 2, 3, 1, 2
    EXPECT_EQ(random.log.filter("seed").size(), 4);

    // "file_name" is not "FILE_NAME": random order.
    Rig lower(3, "file_name");
    lower.script({0});
    lower.engine.Tick();
    EXPECT_EQ(TextOf(lower.pictures.requested), TextOf(paths({1})));
}

TEST(SlideshowEngineTest, OnePictureIsReadAgainAtEverySwitch)
{
    for (const char *order : {"FILE_NAME", "RANDOM"}) {
        Rig rig(1, order);
        rig.script({kAlmostOne, 0.3f, 0});
        for (int i = 0; i < 3; ++i)
            rig.engine.Tick();
        EXPECT_EQ(rig.pictures.requested, paths({1, 1, 1})) << order;
        EXPECT_EQ(rig.state.CurrentIndex, 1);
    }
}

TEST(SlideshowEngineTest, ModeTwoPlacesEachNewPictureAtRandomAndOtherModesDoNothing)
{
    Rig rig(2, "FILE_NAME", 2);
    rig.script({0.5f, 0});
    rig.engine.Tick();
    EXPECT_EQ(TextOf(rig.pictures.requested), TextOf(paths({2})));
    EXPECT_EQ(rig.surface.left, 5280);  // floor(10561 * 0.5)
    EXPECT_EQ(rig.surface.top, 0);

    // Other modes do nothing on a tick.
    for (double mode : {0.0, 4.0, 2.5}) {
        Rig rig(3, "RANDOM", mode);
        rig.engine.Tick();
        EXPECT_TRUE(rig.pictures.requested.isEmpty());
        EXPECT_TRUE(rig.log.isEmpty());
        EXPECT_EQ(rig.surface.left, 480);
        EXPECT_EQ(rig.state.CurrentIndex, 1);
    }
}

TEST(SlideshowEngineTest, MovingPictureIsReplacedOnTheTickAfterItPassesTheEdge)
{
    Rig rig(2, "FILE_NAME", 3);
    rig.surface.setPictureSize(4800, 3600);
    rig.script({0, 0.5f, 0.5f});  // edge 1, heading 0 degrees
    rig.engine.EnterFromRandomEdge();
    // From -4800 to 15360 at 30 twips a tick: on the limit after 672 ticks.
    for (int i = 0; i < 672; ++i)
        rig.engine.Tick();
    EXPECT_EQ(rig.surface.left, 15360);
    EXPECT_TRUE(rig.pictures.requested.isEmpty());
    rig.script({0.5f, 0.5f, 0.5f});  // the next one comes in from the right
    rig.engine.Tick();
    EXPECT_EQ(TextOf(rig.pictures.requested), TextOf(paths({2})));
    EXPECT_EQ(rig.surface.left, 15360);
    EXPECT_EQ(rig.surface.top, 3960);
}

TEST(SlideshowEngineTest, MoveSpeedZeroNeverMovesAndNegativeLeavesAtOnce)
{
    // Enters from the left edge heading right, then ticks.
    const auto run = [](Rig &rig, double speed, int ticks) {
        rig.settings.MoveSpeed = speed;
        rig.script({0, 0.5f, 0.5f});
        rig.engine.EnterFromRandomEdge();
        for (int i = 0; i < ticks; ++i)
            rig.engine.Tick();
    };
    Rig still(2, "FILE_NAME", 3), away(2, "FILE_NAME", 3), far(2, "FILE_NAME", 3);
    run(still, 0, 1000);
    EXPECT_EQ(still.surface.left, -still.surface.width);
    EXPECT_TRUE(still.pictures.requested.isEmpty());
    run(away, -3, 4);
    EXPECT_EQ(TextOf(away.pictures.requested), TextOf(paths({2, 1, 2, 1})));
    // A speed so large that the position overflows single precision.
    run(far, std::numeric_limits<double>::max(), 1);
    EXPECT_EQ(TextOf(far.pictures.requested), TextOf(paths({2})));
    EXPECT_TRUE(std::isfinite(far.surface.left));
}

TEST(SlideshowEngineTest, UnreadablePicturesAreSkippedWithinTheTickInEitherOrder)
{
    Rig rig(4);
    rig.breakPicture(2);
    rig.breakPicture(3);
    rig.engine.Tick();
    EXPECT_EQ(TextOf(rig.pictures.requested), TextOf(paths({2, 3, 4})));
    EXPECT_EQ(rig.state.CurrentIndex, 4);  // the next tick goes on after the one shown
    EXPECT_FALSE(rig.surface.picture.isNull());
    EXPECT_EQ(rig.surface.left, 5280);
    rig.engine.Tick();
    EXPECT_EQ(TextOf(rig.pictures.requested.last()), TextOf(paths({1}).first()));

    // Random order skips with fresh draws.
    Rig random(3, "RANDOM");
    random.breakPicture(1);
    random.script({0, 0, 0.5f});
    random.engine.Tick();
    EXPECT_EQ(TextOf(random.pictures.requested), TextOf(paths({1, 1, 2})));
    EXPECT_EQ(random.state.RandomIndex, 2);
    EXPECT_EQ(TextOf(random.steps()), TextOf(QStringList({"seed", "draw", "seed", "draw", "seed", "draw", "Left=5280", "Top=3960"})));
}

TEST(SlideshowEngineTest, NothingReadableLeavesABlackScreenAndRetriesOncePerSecond)
{
    Rig rig(3, "FILE_NAME", 3);
    rig.surface.interval = 10;
    for (int i = 1; i <= 3; ++i)
        rig.breakPicture(i);
    rig.surface.setPictureSize(4800, 3600);
    rig.surface.left = 15361;  // just gone
    rig.engine.Tick();
    EXPECT_EQ(TextOf(rig.pictures.requested), TextOf(paths({2, 3, 1})));  // each once
    EXPECT_TRUE(rig.surface.picture.isNull());
    EXPECT_EQ(rig.surface.backColor, QColor(Qt::black));
    EXPECT_TRUE(rig.engine.showsNothing());
    EXPECT_EQ(rig.surface.interval, SlideshowEngine::kRetryPeriod);

    // The next tick tries again at once, without moving the empty box.
    rig.pictures.add("/pics/p3.jpg", 320, 240);
    rig.script({0, 0.5f, 0.5f});
    rig.engine.Tick();
    EXPECT_EQ(TextOf(rig.pictures.requested.mid(3)), TextOf(paths({2, 3})));
    EXPECT_FALSE(rig.engine.showsNothing());
    EXPECT_EQ(rig.surface.interval, 10);
    EXPECT_EQ(rig.surface.left, -4800);  // entered from the left edge

    Rig random(3, "RANDOM");
    for (int i = 1; i <= 3; ++i)
        random.breakPicture(i);
    random.engine.Tick();
    EXPECT_EQ(random.pictures.requested.size(), 3);  // at most ImageCount draws
    EXPECT_EQ(random.surface.interval, 1000);
    random.surface.interval = 2000;  // a longer period is not shortened
    random.engine.Tick();
    EXPECT_EQ(random.surface.interval, 2000);
}

TEST(SlideshowEngineTest, PicturesAreSizedInPhysicalPixels)
{
    Rig rig(1);
    rig.surface.ratio = 2;
    rig.engine.Tick();
    EXPECT_EQ(rig.surface.width, 2400);  // 320 pixels at ratio 2: 160 logical pixels
    EXPECT_EQ(rig.surface.height, 1800);
    EXPECT_EQ(rig.surface.picture.devicePixelRatio(), 2);
}

TEST(SlideshowEngineTest, DrawsInOneTickAreIndependentWithTheRealSource)
{
    // Every reseed reads the same clock value, as happens within one tick.
    ClockRandom clockRandom([] { return std::uint64_t{1234567}; });
    Rig rig(3, "RANDOM");
    SlideshowEngine engine(rig.settings, rig.state, clockRandom, rig.pictures, rig.surface);
    rig.surface.setPictureSize(15, 15);
    int onDiagonal = 0;
    for (int i = 0; i < 50; ++i) {
        engine.PlaceAtRandom();
        onDiagonal += std::abs(rig.surface.left / 15346.0 - rig.surface.top / 11506.0) < 0.01;
    }
    EXPECT_LT(onDiagonal, 5);
}
