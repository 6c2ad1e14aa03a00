#include "app/window_placement.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QMainWindow>
#include <QTimer>

namespace ploven::test {
namespace {

// A window manager that frames windows with a title bar and thin borders, and places a window
// the way X11 window managers do for a program that asks for its frame's position.
struct FramingWindowManager {
  QMargins margins{1, 20, 1, 1};
  QRect inside;

  // The program moves the window by its frame and sizes its inside.
  void Place(const QRect& frame) { inside = InsideOfFrame(frame, margins); }
  QRect Frame() const { return inside.marginsAdded(margins); }
};

TEST(WindowPlacementTest, FiveClosesAndStartsLeaveTheFrameWhereTheUserPutIt) {
  const QRect area(0, 0, 1280, 770);
  FramingWindowManager wm;
  WindowPlace saved{140, 90, 900, 600};  // where the user dragged it
  for (int run = 0; run < 5; ++run) {
    wm.Place(FrameInArea(saved, area));
    saved = PlaceOfFrame(wm.Frame());  // the close saves the frame
  }
  EXPECT_EQ(saved, (WindowPlace{140, 90, 900, 600}));
  EXPECT_EQ(wm.inside, QRect(141, 110, 898, 579));
}

struct AreaRow {
  const char* name;
  WindowPlace saved;
  QRect expected;
};

class FrameInAreaTest : public testing::TestWithParam<AreaRow> {};

TEST_P(FrameInAreaTest, KeepsTheTitleBarReachable) {
  const QRect area(0, 30, 1280, 740);  // a panel at the top
  EXPECT_EQ(FrameInArea(GetParam().saved, area), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FrameInAreaTest,
    testing::Values(AreaRow{"Inside", {100, 100, 800, 600}, QRect(100, 100, 800, 600)},
                    AreaRow{"AboveTheArea", {100, -40, 800, 600}, QRect(100, 30, 800, 600)},
                    AreaRow{"PastTheRightEdge", {900, 100, 800, 600}, QRect(480, 100, 800, 600)},
                    AreaRow{"LargerThanTheArea", {-10, 0, 3000, 2000}, QRect(0, 30, 1280, 740)},
                    AreaRow{"NeverPlaced", {0, 0, 0, 0}, QRect()}),
    [](const testing::TestParamInfo<AreaRow>& row) { return std::string(row.param.name); });

TEST(WindowPlacementTest, AFirstRunPutsBothWindowsInsideTheAreaWithoutCoveringEachOther) {
  for (const QRect& area : {QRect(0, 0, 1280, 770), QRect(0, 27, 1920, 1053),
                            QRect(64, 0, 1216, 800), QRect(0, 0, 1024, 740)}) {
    SCOPED_TRACE(testing::Message() << area.width() << "x" << area.height());
    const FirstRunPlaces places = FirstRunPlacesIn(area);
    EXPECT_TRUE(area.contains(places.main)) << places.main.x() << "," << places.main.y();
    EXPECT_TRUE(area.contains(places.calendar));
    EXPECT_FALSE(places.main.intersects(places.calendar));
    EXPECT_GE(places.calendar.width(), kCalendarMinWidth);
    EXPECT_GE(places.calendar.height(), kCalendarMinHeight);
  }
}

// Runs the event loop for a while, as the time between two frames of a real program.
void RunEventsFor(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

// The offscreen platform frames its windows with thin borders that it reports only once the
// window is shown, as a window manager does: the frame still ends up where it was asked to be.
TEST(WindowPlacementTest, AShownWindowGetsTheFrameItWasPlacedAt) {
  QMainWindow window;
  PlaceFrame(window, QRect(50, 60, 700, 500));
  // Until then the frame is not known, and a close keeps the saved place.
  EXPECT_TRUE(AwaitingFrame(window));
  window.show();
  RunEventsFor(300);
  EXPECT_FALSE(AwaitingFrame(window));
  EXPECT_EQ(NormalFrame(window), QRect(50, 60, 700, 500));
  // A maximized window is saved where it comes back to.
  window.showMaximized();
  RunEventsFor(100);
  EXPECT_EQ(NormalFrame(window).size(), QSize(700, 500));
}

}  // namespace
}  // namespace ploven::test
