#include "store/projects.h"

#include <string>
#include <vector>

#include "store/project_messages.h"
#include "store/schedule_fixture.h"

namespace ploven::test {
namespace {

namespace pt = project_text;

class ProjectsTest : public ScheduleTest {
 protected:
  ActHandle Project(const std::string& title, uint32_t color = 0) {
    Act a;
    a.color = color;
    return NewProject(s, a, title);
  }
  uint32_t IdOf(ActHandle h) const { return s.ReadAct(h).ID; }
  void MarkDone(ActHandle h) { s.LockAct(h).flags |= AF_DONE; }
  ActHandle ItemOf(ActHandle project, const std::string& title, DayNumber date = kToday,
                   uint32_t flags = 0, Duration minutes = 30) {
    const ActHandle h = Item(title, date, flags, minutes);
    s.LockAct(h).projectID = IdOf(project);
    return h;
  }

  std::vector<std::string> ClistTitles() const {
    std::vector<std::string> out;
    for (const auto& [key, node] : s.projects()) out.push_back(s.GetActNameFull(node.act));
    return out;
  }
  ProjectTree& tree() { return s.projects().tree(); }
  const ProjectTreeNode& N(TreeNodeId id) { return *tree().Find(id); }
  // Titles of the children of `parent` (kNoTreeNode: the top level), in order.
  std::vector<std::string> Level(TreeNodeId parent) {
    std::vector<std::string> out;
    for (TreeNodeId id = tree().FirstChild(parent); id != kNoTreeNode; id = N(id).next)
      out.push_back(s.GetActNameFull(N(id).act));
    return out;
  }
  TreeNodeId NodeOf(ActHandle h) {
    const auto nodes = tree().NodesShowing(h);
    return nodes.empty() ? kNoTreeNode : nodes.front();
  }
};

// ---- The projects list and lookups -----------------------------------------------------

TEST_F(ProjectsTest, ListIsAlphabeticalAndCaseOnlyDifferencesKeepArrivalOrder) {
  const ActHandle lower = Project("alpha");
  Project("beta");
  const ActHandle upper = Project("ALPHA");
  Project("Alpha");
  EXPECT_EQ(ClistTitles(), (std::vector<std::string>{"alpha", "ALPHA", "Alpha", "beta"}));
  EXPECT_EQ(s.projects().Count(), 4u);
  EXPECT_EQ(s.header().Get<int16_t>(ScheduleHeader::kProjectCount), 4);

  // A renamed project arrives after the titles it now equals.
  RetitleProject(s, upper, "Beta");
  EXPECT_EQ(ClistTitles(), (std::vector<std::string>{"alpha", "Alpha", "beta", "Beta"}));
  MakeLifeProject(s, lower);
  EXPECT_EQ(ClistTitles().front(), "!alpha");
  EXPECT_TRUE(IsLifeProject(s, lower));
  MakeLifeProject(s, lower);
  EXPECT_EQ(s.GetActNameFull(lower), "!alpha");
  UnmakeLifeProject(s, lower);
  EXPECT_EQ(ClistTitles(), (std::vector<std::string>{"Alpha", "alpha", "beta", "Beta"}));
  EXPECT_FALSE(IsLifeProject(s, lower));

  RemoveProject(s, upper);
  EXPECT_EQ(s.projects().Count(), 3u);
  EXPECT_EQ(s.header().Get<int16_t>(ScheduleHeader::kProjectCount), 3);
  EXPECT_FALSE(IsProject(s, upper));
}

TEST_F(ProjectsTest, NewProjectStartsCleanWithItsOwnIdentity) {
  Act record;
  record.flags = AF_DONE | AF_TAGGED | AF_FLEXIBLE;
  record.color = 0x123456;
  env.clock.Set(kToday, 600);
  const ActHandle h = NewProject(s, record, "Garden");
  ASSERT_NE(h, kNoAct);
  const Act& a = s.ReadAct(h);
  EXPECT_NE(a.ID, 0u);
  EXPECT_EQ(a.projectID, a.ID);
  EXPECT_EQ(a.flags, 0u);
  EXPECT_EQ(a.typeFlags, ACT_PROJECT);
  EXPECT_NE(a.noteNumber, 0);
  EXPECT_EQ(a.createdDate, kToday);
  EXPECT_EQ(a.touchedTime, 600);
  EXPECT_EQ(a.color, 0x123456u);
  EXPECT_TRUE(s.changed());
  EXPECT_TRUE(IsProject(s, h));
  // Projects are not items: the item lookup misses, the combined one finds it.
  EXPECT_EQ(s.FindActByID(a.ID), kNoAct);
  EXPECT_EQ(s.FindActOrProjectByID(a.ID), h);
  const ActHandle item = Item("Dig");
  EXPECT_EQ(s.FindActOrProjectByID(IdOf(item)), item);
  EXPECT_EQ(s.FindActOrProjectByID(0), kNoAct);
}

TEST_F(ProjectsTest, LookupsAnswerNoneAndWhiteWithoutAProject) {
  const ActHandle garden = Project("Garden", 0x00FF00);
  const ActHandle item = Item("Weed");
  EXPECT_EQ(ProjectColor(s, s.GetActProject(item)), kNoProjectColor);
  EXPECT_EQ(ProjectColor(s, 987654), kNoProjectColor);
  EXPECT_EQ(ProjectColor(s, IdOf(garden)), 0x00FF00u);
  EXPECT_EQ(FindProjectByID(s, 0), kNoAct);

  std::string name = "stale";
  EXPECT_EQ(ProjectName(s, 0, name), 0);
  EXPECT_EQ(name, "none");
  EXPECT_EQ(ProjectName(s, 987654, name), 0);
  EXPECT_EQ(name, "none");
  EXPECT_EQ(ProjectName(s, IdOf(garden), name), 1);
  EXPECT_EQ(name, "Garden");
}

TEST_F(ProjectsTest, FindByNameIsExactAndHonoursThePrivateRule) {
  const ActHandle garden = Project("Garden");
  const ActHandle life = Project("!Health");
  EXPECT_EQ(FindProjectIDByName(s, "Garden"), IdOf(garden));
  EXPECT_EQ(FindProjectIDByName(s, "garden"), 0u);
  EXPECT_EQ(FindProjectIDByName(s, "!Health"), IdOf(life));
  s.SetPrivateAccess(false);
  EXPECT_EQ(FindProjectIDByName(s, "!Health"), 0u);
  EXPECT_EQ(FindProjectIDByName(s, "!"), IdOf(life));
  std::string name;
  ProjectName(s, IdOf(life), name);
  EXPECT_EQ(name, "!");
}

// ---- The pop-up menu and assigning --------------------------------------------------------

TEST_F(ProjectsTest, PopUpOffersAtMostAHundredProjectsThatAreNotDone) {
  std::vector<ActHandle> all;
  for (int i = 0; i < 105; ++i) {
    char title[16];
    std::snprintf(title, sizeof title, "P%03d", i);
    all.push_back(Project(title));
  }
  MarkDone(all[0]);
  MarkDone(all[50]);
  const auto entries = ProjectMenuEntries(s, IdOf(all[3]));
  ASSERT_EQ(entries.size(), 100u);
  EXPECT_EQ(entries.front().title, "P001");
  EXPECT_EQ(entries.front().command, 503);
  EXPECT_EQ(entries.back().command, 602);
  EXPECT_EQ(entries[48].title, "P049");
  EXPECT_EQ(entries[49].title, "P051");  // the done one is skipped
  EXPECT_EQ(entries.back().title, "P101");
  for (const auto& e : entries) EXPECT_EQ(e.checked, e.title == "P003") << e.title;

  // Positions count only projects that are not done.
  EXPECT_EQ(ProjectIDAt(s, 0), IdOf(all[1]));
  EXPECT_EQ(ProjectIDAt(s, 48), IdOf(all[49]));
  EXPECT_EQ(ProjectIDAt(s, 49), IdOf(all[51]));
  EXPECT_EQ(ProjectIDAt(s, 102), IdOf(all[104]));
  EXPECT_EQ(ProjectIDAt(s, 103), 0u);
  EXPECT_EQ(ProjectIDAt(s, -1), 0u);
  EXPECT_EQ(ProjectIndexOf(s, IdOf(all[51])), 49);
  EXPECT_EQ(ProjectIndexOf(s, IdOf(all[50])), -1);
  EXPECT_EQ(ProjectMenuPosition(602), 99);
  EXPECT_EQ(ProjectMenuPosition(603), -1);
}

TEST_F(ProjectsTest, AssignGivesTheItemTheProjectAtThatPosition) {
  const ActHandle done = Project("Archive");
  const ActHandle garden = Project("Garden");
  const ActHandle house = Project("House");
  MarkDone(done);
  const ActHandle item = Item("Paint");
  s.ClearChanged();
  env.clock.Set(kToday + 1, 100);
  EXPECT_TRUE(AssignProject(s, item, 1));
  EXPECT_EQ(s.GetActProject(item), IdOf(house));
  EXPECT_EQ(s.ReadAct(item).touchedDate, kToday + 1);
  EXPECT_TRUE(s.changed());
  EXPECT_TRUE(AssignProject(s, item, 0));
  EXPECT_EQ(s.GetActProject(item), IdOf(garden));

  EXPECT_FALSE(AssignProject(s, item, 2));
  EXPECT_FALSE(AssignProject(s, item, -1));
  EXPECT_EQ(s.GetActProject(item), IdOf(garden));
  // A project keeps naming itself; no item means nothing happens.
  EXPECT_FALSE(AssignProject(s, house, 0));
  EXPECT_EQ(s.GetActProject(house), IdOf(house));
  EXPECT_FALSE(AssignProject(s, kNoAct, 0));
}

TEST_F(ProjectsTest, TaggingFlipsTheMarkOnProjectsOnly) {
  const ActHandle garden = Project("Garden");
  const ActHandle item = Item("Weed");
  EXPECT_FALSE(AnyTaggedProject(s));
  s.ClearChanged();
  env.clock.Set(kToday + 2, 100);
  EXPECT_TRUE(ToggleProjectTag(s, garden));
  EXPECT_TRUE(AnyTaggedProject(s));
  EXPECT_TRUE(IsItemProjectTagged(s, IdOf(garden)));
  EXPECT_TRUE(s.changed());
  EXPECT_EQ(s.ReadAct(garden).touchedDate, kToday + 2);
  EXPECT_TRUE(ToggleProjectTag(s, garden));
  EXPECT_FALSE(AnyTaggedProject(s));
  EXPECT_FALSE(ToggleProjectTag(s, item));
  EXPECT_EQ(s.ActFlags(item) & AF_TAGGED, 0u);
  EXPECT_FALSE(IsItemProjectTagged(s, 0));
}

// ---- Duplicating -----------------------------------------------------------------------

struct TitleCase {
  const char* before;
  const char* after;
};

class DuplicateTitleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(DuplicateTitleTest, CountsUpTheFirstNumberOrAddsCopy) {
  EXPECT_EQ(DuplicateProjectTitle(GetParam().before), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Titles, DuplicateTitleTest,
    ::testing::Values(TitleCase{"Item 09", "Item 10"}, TitleCase{"Step 7 of 9", "Step 8 of 9"},
                      TitleCase{"Batch 099", "Batch 100"}, TitleCase{"Batch 0999", "Batch 1000"},
                      TitleCase{"Item 0100 draft", "Item 0101 draft"},
                      TitleCase{"Item 0", "Item 0 (copy)"}, TitleCase{"Plan", "Plan (copy)"},
                      TitleCase{"0 to 5", "0 to 6"}, TitleCase{"A1B2", "A2B2"},
                      TitleCase{"Run 99999999999999999999", "Run 100000000000000000000"}));

TEST_F(ProjectsTest, DuplicateMakesANewCleanProjectAndSaysSo) {
  const ActHandle h = Project("Step 1", 0xABCDEF);
  ToggleProjectTag(s, h);
  const ActHandle copy = DuplicateProject(s, h);
  ASSERT_NE(copy, kNoAct);
  EXPECT_EQ(s.GetActNameFull(copy), "Step 2");
  EXPECT_NE(IdOf(copy), IdOf(h));
  EXPECT_EQ(s.GetActProject(copy), IdOf(copy));
  EXPECT_EQ(s.ReadAct(copy).color, 0xABCDEFu);
  EXPECT_EQ(s.ActFlags(copy), 0u);
  EXPECT_EQ(ClistTitles(), (std::vector<std::string>{"Step 1", "Step 2"}));
  EXPECT_EQ(Level(kNoTreeNode), (std::vector<std::string>{"Step 1", "Step 2"}));
  EXPECT_TRUE(env.ui.Showed(pt::kProjectDuplicated));
  EXPECT_EQ(DuplicateProject(s, Item("Not a project")), kNoAct);
}

// ---- Deleting -------------------------------------------------------------------------

struct LeavingHooks : ScheduleHooks {
  void ActLeavingChain(ActHandle act) override { left.push_back(act); }
  std::vector<ActHandle> left;
};

TEST_F(ProjectsTest, DeleteAsksWithNoAsTheDefaultAndKeepsEverythingOnNo) {
  const ActHandle garden = Project("Garden");
  const ActHandle item = ItemOf(garden, "Weed");
  EXPECT_FALSE(DeleteProject(s, garden));
  ASSERT_FALSE(env.ui.boxes.empty());
  const BoxRequest& box = env.ui.boxes.back();
  EXPECT_EQ(box.caption, "Delete Project");
  EXPECT_EQ(box.icon, BoxIcon::kQuestion);
  ASSERT_EQ(box.buttons.size(), 2u);
  EXPECT_EQ(box.buttons[static_cast<size_t>(box.defaultIndex)].code, kIdNo);
  EXPECT_NE(box.text.find("Are you sure you want to delete project Garden?"), std::string::npos);
  EXPECT_EQ(box.text.find("If you delete this project, any items assigned to it will have their "
                          "Project property reset to \"none\"."),
            0u);
  EXPECT_TRUE(IsProject(s, garden));
  EXPECT_EQ(s.GetActProject(item), IdOf(garden));
}

TEST_F(ProjectsTest, DeletedProjectLeavesListTreeAndItsItems) {
  LeavingHooks hooks;
  s.SetHooks(&hooks);
  const ActHandle garden = Project("Garden");
  const ActHandle house = Project("House");
  const ActHandle weed = ItemOf(garden, "Weed", kToday, AF_DONE, 40);
  const ActHandle paint = ItemOf(house, "Paint", kToday, AF_DONE, 20);
  RebuildProjectTree(s);
  const uint32_t id = IdOf(garden);
  ASSERT_EQ(ProjectMinutes(s, id, kToday, kDoneTime), 40);

  env.ui.Answer(kIdYes);
  EXPECT_TRUE(DeleteProject(s, garden));
  EXPECT_EQ(hooks.left, std::vector<ActHandle>{garden});
  EXPECT_FALSE(IsProject(s, garden));
  EXPECT_EQ(ClistTitles(), std::vector<std::string>{"House"});
  EXPECT_TRUE(s.IsActValid(garden));  // left for undelete
  // The project's node goes with its subtree; the other project is untouched.
  EXPECT_EQ(Level(kNoTreeNode), std::vector<std::string>{"House"});
  EXPECT_TRUE(tree().NodesShowing(weed).empty());
  EXPECT_EQ(tree().Count(), 2u);

  std::string name;
  EXPECT_EQ(ProjectName(s, s.GetActProject(weed), name), 0);
  EXPECT_EQ(name, "none");
  EXPECT_EQ(s.GetActProject(weed), 0u);
  EXPECT_EQ(ProjectMinutes(s, id, kToday, kDoneTime), 0);
  EXPECT_EQ(s.GetActProject(paint), IdOf(house));
  EXPECT_EQ(FindProjectByID(s, id), kNoAct);
  EXPECT_FALSE(DeleteProject(s, weed));
  s.SetHooks(nullptr);
}

// ---- Time on a project ------------------------------------------------------------------

TEST_F(ProjectsTest, ProjectMinutesAddsTheDaysDoneOrUndoneTime) {
  const ActHandle garden = Project("Garden");
  const ActHandle house = Project("House");
  ItemOf(garden, "Weed", kToday, AF_DONE, 40);
  const ActHandle mow = ItemOf(garden, "Mow", kToday, AF_DONE, 25);
  ItemOf(garden, "Prune", kToday, 0, 15);
  ItemOf(garden, "Water", kToday + 1, AF_DONE, 10);
  ItemOf(house, "Paint", kToday, AF_DONE, 90);
  Item("Loose", kToday, AF_DONE, 50);
  const uint32_t id = IdOf(garden);
  EXPECT_EQ(ProjectMinutes(s, id, kToday, kDoneTime), 65);
  EXPECT_EQ(ProjectMinutes(s, id, kToday, kUndoneTime), 15);
  EXPECT_EQ(ProjectMinutes(s, id, kToday, kDoneTime | kUndoneTime), 80);
  EXPECT_EQ(ProjectMinutes(s, id, kToday + 1, kDoneTime), 10);
  EXPECT_EQ(ProjectMinutes(s, id, kToday + 5, kDoneTime), 0);
  EXPECT_EQ(ProjectMinutes(s, 0, kToday, kDoneTime), 0);
  const ItemFilter hidesMow = [mow](ActHandle h) { return h == mow; };
  EXPECT_EQ(ProjectMinutes(s, id, kToday, kDoneTime, hidesMow), 40);
}

// ---- The Projects Tree -------------------------------------------------------------------

TEST_F(ProjectsTest, RebuildShowsProjectsInListOrderWithTheirItemsAlphabetically) {
  const ActHandle house = Project("House");
  const ActHandle garden = Project("garden");
  const ActHandle done = Project("Archive");
  MarkDone(done);
  ItemOf(garden, "weed");
  ItemOf(garden, "Mow");
  ItemOf(house, "Paint");
  ItemOf(garden, "Dig", kToday + 3);
  Item("Loose");
  RebuildProjectTree(s);
  EXPECT_EQ(Level(kNoTreeNode), (std::vector<std::string>{"Archive", "garden", "House"}));
  EXPECT_EQ(tree().RootCount(), 3u);
  EXPECT_EQ(tree().Count(), 7u);
  const TreeNodeId g = NodeOf(garden);
  EXPECT_TRUE(N(g).expanded);
  EXPECT_EQ(Level(g), (std::vector<std::string>{"Dig", "Mow", "weed"}));
  EXPECT_EQ(Level(NodeOf(house)), std::vector<std::string>{"Paint"});
  EXPECT_EQ(N(tree().FirstChild(g)).parent, g);
  ValidateProjectTree(s);
}

TEST_F(ProjectsTest, NewProjectJoinsTheTopLevelAfterTheLastTitleAtOrBeforeIt) {
  const ActHandle b = Project("Bravo");
  Project("Delta");
  EXPECT_EQ(Level(kNoTreeNode), (std::vector<std::string>{"Bravo", "Delta"}));
  // The user moved Delta to the top; the new one follows Bravo, the last one before it.
  ASSERT_TRUE(tree().MoveDown(NodeOf(b)));
  Project("charlie");
  EXPECT_EQ(Level(kNoTreeNode), (std::vector<std::string>{"Delta", "Bravo", "charlie"}));
  Project("alpha");
  EXPECT_EQ(Level(kNoTreeNode).front(), "alpha");
  Project("BRAVO");
  EXPECT_EQ(Level(kNoTreeNode),
            (std::vector<std::string>{"alpha", "Delta", "Bravo", "BRAVO", "charlie"}));
}

TEST_F(ProjectsTest, MovesWithNowhereToGoChangeNothing) {
  const ActHandle garden = Project("Garden");
  Project("House");
  const ActHandle weed = ItemOf(garden, "Weed");
  ItemOf(garden, "Mow");
  RebuildProjectTree(s);
  s.ClearChanged();
  const TreeNodeId g = NodeOf(garden);
  const TreeNodeId first = tree().FirstChild(g);
  EXPECT_FALSE(MoveProjectTreeNode(s, first, TreeMove::kIndent));
  EXPECT_FALSE(MoveProjectTreeNode(s, first, TreeMove::kUp));
  EXPECT_FALSE(MoveProjectTreeNode(s, g, TreeMove::kOutdent));
  EXPECT_FALSE(MoveProjectTreeNode(s, g, TreeMove::kUp));
  EXPECT_FALSE(MoveProjectTreeNode(s, NodeOf(weed), TreeMove::kDown));
  EXPECT_FALSE(s.changed());
  EXPECT_EQ(Level(g), (std::vector<std::string>{"Mow", "Weed"}));
  EXPECT_EQ(Level(kNoTreeNode), (std::vector<std::string>{"Garden", "House"}));
}

TEST_F(ProjectsTest, IndentOutdentUpAndDownRearrangeTheForest) {
  const ActHandle garden = Project("Garden");
  const ActHandle house = Project("House");
  const ActHandle a = ItemOf(garden, "A");
  const ActHandle b = ItemOf(garden, "B");
  const ActHandle c = ItemOf(garden, "C");
  RebuildProjectTree(s);
  const TreeNodeId g = NodeOf(garden), nA = NodeOf(a), nB = NodeOf(b), nC = NodeOf(c);
  tree().Find(nA)->expanded = false;

  s.ClearChanged();
  EXPECT_TRUE(MoveProjectTreeNode(s, nC, TreeMove::kIndent));  // under B
  EXPECT_TRUE(s.changed());
  EXPECT_EQ(Level(g), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(Level(nB), std::vector<std::string>{"C"});
  EXPECT_TRUE(N(nB).expanded);
  EXPECT_TRUE(MoveProjectTreeNode(s, nB, TreeMove::kIndent));  // B and its C under A
  EXPECT_TRUE(N(nA).expanded);
  EXPECT_EQ(Level(nA), std::vector<std::string>{"B"});
  EXPECT_EQ(Level(nB), std::vector<std::string>{"C"});

  EXPECT_TRUE(MoveProjectTreeNode(s, nC, TreeMove::kOutdent));  // right after B, under A
  EXPECT_EQ(Level(nA), (std::vector<std::string>{"B", "C"}));
  EXPECT_TRUE(MoveProjectTreeNode(s, nC, TreeMove::kUp));
  EXPECT_EQ(Level(nA), (std::vector<std::string>{"C", "B"}));
  EXPECT_EQ(N(nB).prev, nC);
  EXPECT_TRUE(MoveProjectTreeNode(s, nC, TreeMove::kDown));
  EXPECT_EQ(Level(nA), (std::vector<std::string>{"B", "C"}));
  EXPECT_EQ(N(nC).next, kNoTreeNode);

  // A project can be outdented from nowhere but moved among projects.
  EXPECT_TRUE(MoveProjectTreeNode(s, NodeOf(house), TreeMove::kUp));
  EXPECT_EQ(Level(kNoTreeNode), (std::vector<std::string>{"House", "Garden"}));
  EXPECT_TRUE(MoveProjectTreeNode(s, nA, TreeMove::kOutdent));  // to the top, after Garden
  EXPECT_EQ(Level(kNoTreeNode), (std::vector<std::string>{"House", "Garden", "A"}));
  EXPECT_EQ(N(nA).parent, kNoTreeNode);
  EXPECT_TRUE(Level(g).empty());
  EXPECT_EQ(tree().Count(), 5u);
}

TEST_F(ProjectsTest, RefreshKeepsCollapsedProjectsCollapsed) {
  const ActHandle garden = Project("Garden");
  const ActHandle house = Project("House");
  ItemOf(garden, "Weed");
  ItemOf(house, "Paint");
  RebuildProjectTree(s);
  SetProjectTreeNodeExpanded(s, NodeOf(garden), false);
  ItemOf(garden, "Mow");
  RefreshProjectTreeKeepingFolding(s);
  EXPECT_FALSE(N(NodeOf(garden)).expanded);
  EXPECT_TRUE(N(NodeOf(house)).expanded);
  EXPECT_EQ(Level(NodeOf(garden)), (std::vector<std::string>{"Mow", "Weed"}));
}

TEST_F(ProjectsTest, DeletedItemLeavesTheTreeAndItsNestedItemsStay) {
  const ActHandle garden = Project("Garden");
  const ActHandle a = ItemOf(garden, "A");
  const ActHandle b = ItemOf(garden, "B");
  const ActHandle c = ItemOf(garden, "C");
  RebuildProjectTree(s);
  ASSERT_TRUE(tree().Indent(NodeOf(b)));  // B under A
  ASSERT_TRUE(tree().Indent(NodeOf(c)));  // C under A, after B
  s.DeleteItem(a);
  EXPECT_TRUE(tree().NodesShowing(a).empty());
  EXPECT_EQ(Level(NodeOf(garden)), (std::vector<std::string>{"B", "C"}));
  EXPECT_EQ(N(NodeOf(b)).parent, NodeOf(garden));
  EXPECT_EQ(tree().Count(), 3u);
}

TEST_F(ProjectsTest, ErasingADeepBranchFreesEveryNode) {
  const ActHandle garden = Project("Garden");
  TreeNodeId parent = NodeOf(garden);
  const ActHandle item = Item("Deep");
  for (int i = 0; i < 5000; ++i) parent = tree().Append(item, parent);
  tree().Erase(NodeOf(garden));
  EXPECT_EQ(tree().Count(), 0u);
  EXPECT_TRUE(tree().NodesShowing(item).empty());
}

TEST_F(ProjectsTest, ATopLevelNodeWithoutARecordIsFatal) {
  const ActHandle garden = Project("Garden");
  Project("House");
  ValidateProjectTree(s);
  s.FreeAct(garden);
  ExpectFatal([&] { ValidateProjectTree(s); }, pt::kTreeProblem);
}

}  // namespace
}  // namespace ploven::test
