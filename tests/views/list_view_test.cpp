#include "views/list_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <string>
#include <vector>

#include "recur/expansion_fixture.h"
#include "store/projects.h"

namespace ploven::test {
namespace {

class ListViewTest : public RecurTest {
 protected:
  void SetUp() override {
    RecurTest::SetUp();
    viewEnv.options.showProjectName = true;
    Act p;
    p.typeFlags = ACT_PROJECT;
    p.color = 0x3050D0;
    project = NewProject(s, p, "Garden");
    const uint32_t id = s.ReadAct(project).ID;
    const char* titles[] = {"Buy seeds", "Call plumber", "Dig beds", "Email Anna", "File taxes"};
    for (int i = 0; i < 5; ++i) items.push_back(Item(titles[i], kToday + i, i % 2 ? id : 0));
    s.LockAct(items[1]).flags |= AF_DONE;  // leaves the Alphabetical View
    s.LockAct(items[2]).flags |= AF_UNDERSCORED;
    Recurring("Standup", Daily(kToday));
  }

  ActHandle Item(const std::string& title, int date, uint32_t projectID) {
    Act a;
    a.flags = AF_FIXED;
    a.typeFlags = ACT_ITEM;
    a.startTime = At(10);
    a.duration = 45;
    a.projectID = projectID;
    const ActHandle h = s.NewItem(static_cast<DayNumber>(date), a, title);
    EXPECT_NE(h, kNoAct);
    return h;
  }

  ListView& View() {
    if (!view) {
      view = std::make_unique<ListView>(viewEnv);
      view->resize(900, 650);
      view->Refresh();
    }
    return *view;
  }

  void Key(int key) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&View(), &e);
  }

  void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint pos) {
    QMouseEvent e(type, QPointF(pos), QPointF(View().mapToGlobal(pos)), button, button,
                  Qt::NoModifier);
    QApplication::sendEvent(&View(), &e);
  }

  // A point on the text of the n-th line shown.
  QPoint OnLine(int n, int x = 200) const {
    return QPoint(x, 4 + n * view->lineHeight() + view->lineHeight() / 2);
  }

  ViewEnvironment viewEnv{engine, r};
  ActHandle project = kNoAct;
  std::vector<ActHandle> items;
  std::unique_ptr<ListView> view;
};

TEST_F(ListViewTest, ShowsTheEntriesOfEachKindAndSkipsFilteredOnes) {
  viewEnv.hiddenByFilter = [this](ActHandle h) { return h == items[3]; };
  ListView& v = View();
  std::vector<ActHandle> expected;
  for (ActHandle h : ListEntries(s, ListKind::kAlphabetical))
    if (h != items[3]) expected.push_back(h);
  EXPECT_EQ(v.entries(), expected);
  EXPECT_EQ(v.entryCount(), 4);  // Buy seeds, Dig beds, File taxes, Standup
  v.SetKind(ListKind::kProjects);
  EXPECT_EQ(v.entries(), std::vector<ActHandle>{project});
  EXPECT_FALSE(v.grab().isNull());
}

TEST_F(ListViewTest, KeysMoveTheSelectionAndKeepItInSight) {
  for (int i = 0; i < 60; ++i) Item("Bulk " + std::to_string(100 + i), kToday, 0);
  ListView& v = View();
  const int fit = v.linesThatFit();
  ASSERT_GT(fit, 5);
  ASSERT_LT(fit, v.entryCount());
  int changes = 0;
  QObject::connect(&v, &ListView::selectionChanged, [&] { ++changes; });
  Key(Qt::Key_Down);
  EXPECT_EQ(v.selectedIndex(), 0);
  Key(Qt::Key_Down);
  EXPECT_EQ(v.selectedIndex(), 1);
  Key(Qt::Key_Up);
  Key(Qt::Key_Up);
  EXPECT_EQ(v.selectedIndex(), 0);
  EXPECT_EQ(changes, 3);  // the last Up had nowhere to go
  Key(Qt::Key_End);
  EXPECT_EQ(v.selectedIndex(), v.entryCount() - 1);
  EXPECT_EQ(v.scrollPosition(), v.entryCount() - fit);
  Key(Qt::Key_Home);
  EXPECT_EQ(v.selectedIndex(), 0);
  EXPECT_EQ(v.scrollPosition(), 0);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(v.selectedIndex(), fit);
  EXPECT_GE(v.selectedIndex(), v.scrollPosition());
  EXPECT_LT(v.selectedIndex(), v.scrollPosition() + fit);
  // Scrolled away from the selection, Up starts again at the first line shown.
  Key(Qt::Key_Home);
  const int bottom = v.entryCount() - fit;
  v.ScrollTo(bottom);
  v.SelectPrevious();
  EXPECT_EQ(v.selectedIndex(), bottom);
}

TEST_F(ListViewTest, SelectionFollowsItsItemAcrossARefresh) {
  ListView& v = View();
  ASSERT_TRUE(v.SelectItem(items[4]));
  Item("Aardvark", kToday, 0);  // sorts first, pushing every line down
  v.Refresh();
  EXPECT_EQ(v.SelectedItem(), items[4]);
  EXPECT_FALSE(v.SelectItem(items[1]));  // done: not listed
}

TEST_F(ListViewTest, MouseSelectsActivatesAndAsksForMenusNotesAndNewItems) {
  ListView& v = View();
  std::vector<ActHandle> activated, notes, menus, projects;
  int newItems = 0;
  QObject::connect(&v, &ListView::itemActivated, [&](ActHandle h) { activated.push_back(h); });
  QObject::connect(&v, &ListView::noteRequested, [&](ActHandle h) { notes.push_back(h); });
  QObject::connect(&v, &ListView::contextMenuRequested,
                   [&](ActHandle h, QPoint) { menus.push_back(h); });
  QObject::connect(&v, &ListView::projectActivated, [&](ActHandle h) { projects.push_back(h); });
  QObject::connect(&v, &ListView::newItemRequested, [&] { ++newItems; });
  const std::vector<ActHandle>& e = v.entries();

  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, OnLine(2));
  EXPECT_EQ(v.SelectedItem(), e[2]);
  Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, OnLine(1));
  EXPECT_EQ(activated, std::vector<ActHandle>{e[1]});
  Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, OnLine(0, v.width() - 30));
  EXPECT_EQ(notes, std::vector<ActHandle>{e[0]});
  Mouse(QEvent::MouseButtonPress, Qt::RightButton, OnLine(3));
  EXPECT_EQ(menus, std::vector<ActHandle>{e[3]});
  EXPECT_EQ(v.SelectedItem(), e[3]);
  Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, OnLine(20));
  EXPECT_EQ(newItems, 1);
  // "Email Anna" belongs to Garden: its colour bar opens the project.
  const int email = static_cast<int>(std::find(e.begin(), e.end(), items[3]) - e.begin());
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, OnLine(email, 7));
  EXPECT_EQ(projects, std::vector<ActHandle>{project});
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, OnLine(0, 7));
  EXPECT_EQ(projects.size(), 1u);  // no project, no bar
}

TEST_F(ListViewTest, PaintsLinesWithProjectBarsAndSelection) {
  ListView& v = View();
  v.SetNoteProbe([this](ActHandle h) { return h == items[0]; });
  v.SelectItem(items[2]);
  const QImage img = v.grab().toImage();
  const int email = static_cast<int>(std::find(v.entries().begin(), v.entries().end(), items[3]) -
                                     v.entries().begin());
  auto Differs = [&](QPoint p, const QColor& c) { return img.pixelColor(p) != c; };
  // Something is drawn inside the project bar of a Garden item, nothing for an item without.
  bool barInk = false, bareInk = false;
  for (int y = 0; y < v.lineHeight(); ++y) {
    const QPoint withBar = OnLine(email, 7) + QPoint(0, y - v.lineHeight() / 2);
    const QPoint noBar = OnLine(0, 7) + QPoint(0, y - v.lineHeight() / 2);
    barInk |= Differs(withBar, viewEnv.style.background);
    bareInk |= Differs(noBar, viewEnv.style.background);
  }
  EXPECT_TRUE(barInk);
  EXPECT_FALSE(bareInk);
  EXPECT_EQ(img.pixelColor(OnLine(v.selectedIndex(), v.width() / 2 + 200)),
            viewEnv.style.selection);
  // Light Mode draws no project bars.
  viewEnv.options.proMode = false;
  const QImage light = v.grab().toImage();
  for (int y = 0; y < v.lineHeight(); ++y)
    EXPECT_EQ(light.pixelColor(OnLine(email, 7) + QPoint(0, y - v.lineHeight() / 2)),
              viewEnv.style.background);
  viewEnv.options.proMode = true;
  viewEnv.options.valueOfTime = true;
  Act a;
  a.flags = AF_FLEXIBLE;
  a.typeFlags = ACT_ITEM;
  a.duration = 60;
  a.projectID = s.ReadAct(project).ID;
  for (const char* title : {"Write report", "Plan trip", "Sort photos"}) {
    a.tier = 'A';
    a.expectedReturn = a.expectedReturn + 150;
    ASSERT_NE(s.NewItem(kToday, a, title), kNoAct);
    a.projectID = 0;
  }
  v.SetKind(ListKind::kPriority);
  ASSERT_EQ(v.entryCount(), 3);
  const QImage priority = v.grab().toImage();
  // The value column is drawn in green beside every line.
  bool green = false;
  for (int x = v.width() - 130; x < v.width() - 30; ++x) {
    const QColor c = priority.pixelColor(OnLine(0, x));
    green |= c.green() > c.red() + 20 && c.green() > c.blue() + 20;
  }
  EXPECT_TRUE(green);
}

TEST_F(ListViewTest, MoreThanTwoHundredLinesStopsWithTheMessage) {
  for (int i = 0; i < 260; ++i) Item("Many " + std::to_string(1000 + i), kToday, 0);
  ListView& v = View();
  v.grab();
  QApplication::processEvents();
  EXPECT_FALSE(env.ui.Showed("Can't display so many lines"));
  viewEnv.style.textFont.setPointSizeF(1);
  v.resize(900, 200 * v.lineHeight() + 40);
  ASSERT_GT(v.linesThatFit(), 200);
  v.grab();
  v.grab();
  QApplication::processEvents();
  int shown = 0;
  for (const std::string& t : env.ui.Texts())
    shown += t == "Can't display so many lines at once. Choose larger font";
  EXPECT_EQ(shown, 1);  // once, not on every paint
}

TEST_F(ListViewTest, ItemDeletedBeforeTheRefreshIsSkippedNotFatal) {
  ListView& v = View();
  ASSERT_EQ(v.entries().front(), items[0]);
  s.DeleteItem(items[0]);
  s.FreeAct(items[0]);  // gone for good, as when the undelete store lets it go
  EXPECT_NO_THROW(v.grab());
  QApplication::processEvents();
  EXPECT_EQ(std::find(v.entries().begin(), v.entries().end(), items[0]), v.entries().end());
  EXPECT_EQ(v.entryCount(), 4);
}

TEST_F(ListViewTest, PrivateScheduleHidesEveryLine) {
  ListView& v = View();
  v.SetViewAuthorized(false);
  int activations = 0;
  QObject::connect(&v, &ListView::itemActivated, [&] { ++activations; });
  Mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, OnLine(0));
  EXPECT_EQ(activations, 0);
  const QImage locked = v.grab().toImage();
  v.SetViewAuthorized(true);
  EXPECT_NE(locked, v.grab().toImage());
}

}  // namespace
}  // namespace ploven::test
