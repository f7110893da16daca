#include "core/SaverSettings.h"
#include "core/SlideshowState.h"
#include "slideshow/SlideshowEngine.h"
#include "support/Fakes.h"
#include <gtest/gtest.h>
#include <cmath>
#include <set>

namespace {
constexpr float kAlmostOne = 0.99999994f;  // the largest float below 1
// A 1024 x 768 pixel window and `count` pictures of 320 x 240 pixels, "1.jpg" ... in /pics (a folder without
// its "/", as a hand-edited file may have it).
struct Rig {
    explicit Rig(int count = 3, const char *order = "FILE_NAME", double mode = 1) : settings{"/pics", order, mode, 9, 3}
    {
        for (int i = 1; i <= count; ++i)
            pictures.add("/pics/" + (state.ImageList[std::size_t(i)] = QStringLiteral("%1.jpg").arg(i)), 320, 240);
        state.ImageCount = std::int16_t(count);
        state.CurrentIndex = 1;
    }
    void breakPictures(std::initializer_list<int> n) { for (int i : n) pictures.pictures.remove(QString("/pics/%1.jpg").arg(i)); }
    QString requested() const { return pictures.requested.join(' ').remove("/pics/").remove(".jpg"); }
    void ticks(int n) { for (int i = 0; i < n; ++i) engine.Tick(); }
    SaverSettings settings;
    SlideshowState state;
    ScriptedRandom random;
    FakePictureLoader pictures;
    FakeShowSurface surface{15360, 11520};
    SlideshowEngine engine{settings, state, random, pictures, surface};
};
}

TEST(SlideshowEngineTest, PlacementsInExactTwipsAndOverTheWholeRandomRange)
{
    enum Kind { Centred, Random, Edge };
    const struct { Kind kind; float w, h; std::initializer_list<float> draws; float left, top, degrees; } rows[] = {
        {Centred, 1500, 750, {}, 6930, 5385, 0}, {Centred, 1515, 765, {}, 6922.5f, 5377.5f, 0},  // odd: half twips
        {Centred, 30000, 15000, {}, -7320, -1740, 0}, {Random, 1500, 750, {0.5f, kAlmostOne}, 6930, 10770, 0},
        {Random, 15360, 11520, {kAlmostOne, kAlmostOne}, 0, 0, 0}, {Random, 30000, 15000, {0, kAlmostOne}, 0, -3479, 0},
        {Random, 30000, 15000, {0.5f, 0.5f}, -7320, -1740, 0}, {Edge, 4800, 3600, {0, kAlmostOne, 0.5f}, -4800, 7920, 0},
        {Edge, 4800, 3600, {0.25f, kAlmostOne, 0}, 10560, 11520, 45},
        {Edge, 4800, 3600, {0.5f, kAlmostOne, 0.9999f}, 15360, 7920, 225},
        {Edge, 4800, 3600, {0.75f, kAlmostOne, 0.5f}, 10560, -3600, 270}};
    for (const auto &row : rows) {
        Rig rig;
        std::tie(rig.surface.width, rig.surface.height, rig.random.values) = std::tuple(row.w, row.h, row.draws);
        row.kind == Centred ? rig.engine.PlaceCentred()
                            : row.kind == Random ? rig.engine.PlaceAtRandom() : rig.engine.EnterFromRandomEdge();
        EXPECT_EQ(std::pair(rig.surface.left, rig.surface.top), std::pair(row.left, row.top)) << row.kind << " " << row.w;
        EXPECT_NEAR(rig.state.MoveAngle * 180 / SlideshowEngine::kPi, row.degrees, 1e-9);
        EXPECT_TRUE(rig.random.values.empty());
    }
    // The real source, reseeded before every draw within one clock reading: a random place takes every whole twip
    // the arithmetic allows, inside the window for a picture 15 twips narrower, over the overhang of one 30 twips
    // higher (-29 to -1; 0 would need a draw of exactly 0).
    Rig rig(1, "RANDOM", 2);
    ClockRandom random([] { return std::uint64_t(42); });
    SlideshowEngine engine{rig.settings, rig.state, random, rig.pictures, rig.surface};
    std::tie(rig.surface.width, rig.surface.height) = std::pair(15345, 11550);
    std::set<float> lefts, tops;
    for (int i = 0; i < 2000; ++i)
        engine.PlaceAtRandom(), lefts.insert(rig.surface.left), tops.insert(rig.surface.top);
    EXPECT_EQ(std::tuple(lefts.size(), *lefts.begin(), *lefts.rbegin(), tops.size(), *tops.begin(), *tops.rbegin()),
              std::tuple(16ul, 0.f, 15.f, 29ul, -29.f, -1.f));
}

// In from each edge at the middle of its headings (0, 90, 180, 270 degrees), 30 twips a tick, a 4800 x 3600
// picture crosses the window; on the far limit it still counts as inside, one step past it the next one comes.
TEST(SlideshowEngineTest, MovingPictureCrossesTheWindowFromEachEdgeAndLeavesPastTheFarLimit)
{
    for (const auto &[edge, ticks] : {std::pair{0.f, 673}, {0.25f, 505}, {0.5f, 673}, {0.75f, 505}}) {
        Rig r(2, "FILE_NAME", 3);
        std::tie(r.surface.width, r.surface.height, r.random.values) = std::tuple(4800, 3600, std::deque{edge, 0.5f, 0.5f, 0.f});
        r.engine.EnterFromRandomEdge();
        r.ticks(ticks - 1);
        EXPECT_EQ(r.requested(), "") << edge;
        r.ticks(1);
        EXPECT_EQ(std::pair(r.requested(), r.surface.left), std::pair(QString("2"), -4800.0f)) << edge;
    }
    Rig rig(2, "FILE_NAME", 3);   // a position beyond the range of float is gone as well
    for (float far : {INFINITY, -INFINITY, NAN}) {
        rig.surface.left = far;
        EXPECT_TRUE(rig.engine.HasLeft()) << far;
    }
}

// The order wraps after the last picture; an unreadable one is skipped within the
// tick, and when none loads the box turns black and the timer slows until one does.
TEST(SlideshowEngineTest, OrderSkipsUnreadablePicturesWithinTheTick)
{
    Rig names(4);
    names.breakPictures({2, 3});
    names.random.values = {0.7f};
    names.ticks(3);
    EXPECT_EQ(std::pair(names.requested(), names.random.values.size()), std::pair(QString("2 3 4 1 2 3 4"), 1ul));
    Rig random(3, "file_name");  // any text but FILE_NAME is random order
    random.breakPictures({1});
    random.random.values = {0, 0, 0.5f, kAlmostOne};
    random.ticks(2);
    EXPECT_EQ(random.requested(), "1 1 2 3");
    for (const char *order : {"FILE_NAME", "RANDOM"}) {
        Rig none(3, order, 3);
        none.breakPictures({1, 2, 3});
        std::tie(none.surface.interval, none.surface.left) = std::pair(10, 15361.0f);
        none.ticks(1);
        EXPECT_EQ(std::tuple(none.pictures.requested.size(), none.surface.picture.isNull(), none.surface.backColor,
                             none.surface.interval), std::tuple(3, true, QColor(Qt::black), SlideshowEngine::kRetryPeriod));
        none.pictures.add("/pics/2.jpg", 320, 240);
        none.random.values = QString(order) == "RANDOM" ? std::deque<float>{0.5f, 0, 0.5f, 0.5f} : std::deque<float>{0, 0.5f, 0.5f};
        none.ticks(1);
        EXPECT_EQ(std::tuple(none.surface.picture.isNull(), none.surface.interval, none.surface.left),
                  std::tuple(false, 10, -4800.0f)) << order;
    }
    Rig other(3, "RANDOM", 2.5);  // a display mode other than 1, 2 and 3 does nothing
    other.ticks(1);
    EXPECT_EQ(std::tuple(other.requested(), other.surface.left, other.state.CurrentIndex), std::tuple("", 480, 1));
}
