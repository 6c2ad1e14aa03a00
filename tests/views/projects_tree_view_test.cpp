#include "views/projects_tree_view.h"

#include <gtest/gtest.h>

#include <QTreeWidget>
#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "recur/recurrences.h"

namespace ploven::test {
namespace {

class ProjectsTreeViewTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    garden = Project("Garden", 0x2a9d2a);
    house = Project("House", 0x2a5dd0);
    mow = Item("Mow", garden);
    plant = Item("Plant", garden);
    weed = Item("Weed", garden);
    paint = Item("Paint", house);
    done = Item("Clean", house, AF_DONE);
    RebuildProjectTree(s);
    view = std::make_unique<ProjectsTreeView>(viewEnv);
    view->resize(900, 650);
  }

  ActHandle Project(const std::string& title, uint32_t color) {
    Act a;
    a.typeFlags = ACT_PROJECT;
    a.color = color;
    return NewProject(s, a, title);
  }

  ActHandle Item(const std::string& title, ActHandle project, uint32_t flags = 0) {
    Act a;
    a.flags = AF_FIXED | flags;
    a.typeFlags = ACT_ITEM;
    a.startTime = At(10);
    a.duration = 30;
    a.projectID = s.ReadAct(project).ID;
    return s.NewItem(kToday, a, title);
  }

  TreeNodeId Node(ActHandle h) { return s.projects().tree().NodesShowing(h).front(); }

  // The titles the control shows under an entry (the top level for null).
  std::vector<std::string> Shown(QTreeWidgetItem* parent) {
    std::vector<std::string> out;
    QTreeWidget* t = view->tree();
    const int n = parent ? parent->childCount() : t->topLevelItemCount();
    for (int i = 0; i < n; ++i)
      out.push_back((parent ? parent->child(i) : t->topLevelItem(i))->text(0).toStdString());
    return out;
  }

  Recurrences r{engine};
  ViewEnvironment viewEnv{engine, r};
  ActHandle garden, house, mow, plant, weed, paint, done;
  std::unique_ptr<ProjectsTreeView> view;
};

TEST_F(ProjectsTreeViewTest, ShowsProjectsWithTheirUndoneItems) {
  EXPECT_EQ(Shown(nullptr), (std::vector<std::string>{"Garden", "House"}));
  EXPECT_EQ(Shown(view->ItemOf(Node(garden))), (std::vector<std::string>{"Mow", "Plant", "Weed"}));
  EXPECT_EQ(Shown(view->ItemOf(Node(house))), std::vector<std::string>{"Paint"});
  EXPECT_TRUE(view->ItemOf(Node(garden))->isExpanded());
  EXPECT_EQ(view->SelectedItem(), garden);  // the first top-level node
  EXPECT_FALSE(view->grab().isNull());
}

TEST_F(ProjectsTreeViewTest, MovesGoThroughTheStoreAndShowAtOnce) {
  ASSERT_TRUE(view->SelectNode(Node(mow)));
  EXPECT_FALSE(view->Indent());  // the first child has no previous sibling
  EXPECT_FALSE(view->MoveUp());
  EXPECT_TRUE(view->MoveDown());
  EXPECT_EQ(Shown(view->ItemOf(Node(garden))), (std::vector<std::string>{"Plant", "Mow", "Weed"}));
  EXPECT_TRUE(view->Indent());  // under Plant
  QTreeWidgetItem* plantEntry = view->ItemOf(Node(plant));
  ASSERT_NE(plantEntry, nullptr);
  EXPECT_EQ(Shown(plantEntry), std::vector<std::string>{"Mow"});
  EXPECT_TRUE(plantEntry->isExpanded());
  EXPECT_EQ(view->SelectedItem(), mow);
  EXPECT_TRUE(view->Outdent());
  EXPECT_EQ(Shown(view->ItemOf(Node(garden))), (std::vector<std::string>{"Plant", "Mow", "Weed"}));
  ASSERT_TRUE(view->SelectNode(Node(house)));
  EXPECT_FALSE(view->Outdent());  // the top level
  EXPECT_TRUE(view->MoveUp());
  EXPECT_EQ(Shown(nullptr), (std::vector<std::string>{"House", "Garden"}));
}

TEST_F(ProjectsTreeViewTest, FoldingIsStoredAndSurvivesARebuild) {
  s.ClearChanged();
  view->ItemOf(Node(garden))->setExpanded(false);
  EXPECT_FALSE(s.projects().tree().Find(Node(garden))->expanded);
  EXPECT_TRUE(s.changed());
  view->Rebuild();
  EXPECT_FALSE(view->ItemOf(Node(garden))->isExpanded());
  EXPECT_TRUE(view->ItemOf(Node(house))->isExpanded());
}

TEST_F(ProjectsTreeViewTest, SelectingAnItemMakesItCurrentOnItsDayAndDoubleClickActivates) {
  std::vector<ActHandle> items, projects;
  QObject::connect(view.get(), &ProjectsTreeView::itemActivated,
                   [&](ActHandle h) { items.push_back(h); });
  QObject::connect(view.get(), &ProjectsTreeView::projectActivated,
                   [&](ActHandle h) { projects.push_back(h); });
  ASSERT_TRUE(view->SelectNode(Node(weed)));
  Terminal* day = s.ExistingTerminal(kToday);
  ASSERT_NE(day, nullptr);
  ASSERT_NE(day->current, nullptr);
  EXPECT_EQ(day->current->act, weed);
  emit view->tree()->itemDoubleClicked(view->ItemOf(Node(weed)), 0);
  emit view->tree()->itemDoubleClicked(view->ItemOf(Node(house)), 0);
  EXPECT_EQ(items, std::vector<ActHandle>{weed});
  EXPECT_EQ(projects, std::vector<ActHandle>{house});
}

TEST_F(ProjectsTreeViewTest, FilteredEntriesStayOut) {
  viewEnv.hiddenByFilter = [this](ActHandle h) { return h == plant || h == house; };
  view->Refresh();
  EXPECT_EQ(Shown(nullptr), std::vector<std::string>{"Garden"});
  EXPECT_EQ(Shown(view->ItemOf(Node(garden))), (std::vector<std::string>{"Mow", "Weed"}));
}

}  // namespace
}  // namespace ploven::test
