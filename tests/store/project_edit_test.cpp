#include "store/project_edit.h"

#include <string>
#include <vector>

#include "file/undelete.h"
#include "store/act_flags.h"
#include "store/project_messages.h"
#include "store/projects.h"
#include "store/schedule_fixture.h"

namespace ploven::test {
namespace {

namespace pt = project_text;

class ProjectEditTest : public ScheduleTest {
 protected:
  ActHandle Make(const std::string& name, uint32_t hue = 0x123456) {
    return ApplyProjectFields(s, kNoAct, {name, hue, 0});
  }
  std::vector<std::string> ListTitles() const {
    std::vector<std::string> out;
    for (const auto& [key, node] : s.projects()) out.push_back(s.GetActNameFull(node.act));
    return out;
  }
  uint32_t IdOf(ActHandle h) const { return s.ReadAct(h).ID; }
};

TEST_F(ProjectEditTest, NewProjectTakesTheFieldsAndJoinsListAndTree) {
  Make("Kitchen");
  const ActHandle h = ApplyProjectFields(s, kNoAct, {"Garden", 0xFF2040A0, 0});
  ASSERT_NE(h, kNoAct);
  EXPECT_TRUE(IsProject(s, h));
  const Act& a = s.ReadAct(h);
  EXPECT_EQ(a.typeFlags, ACT_PROJECT);
  EXPECT_EQ(a.color, 0x2040A0u);  // only the colour's three bytes
  EXPECT_NE(a.ID, 0u);
  EXPECT_EQ(a.projectID, a.ID);
  EXPECT_NE(a.noteNumber, 0);
  EXPECT_EQ(a.createdDate, kToday);
  EXPECT_EQ(ListTitles(), (std::vector<std::string>{"Garden", "Kitchen"}));
  EXPECT_EQ(s.projects().tree().NodesShowing(h).size(), 1u);
  EXPECT_TRUE(s.changed());
  EXPECT_TRUE(env.ui.boxes.empty());

  // A note the project already has stays its own.
  const ActHandle noted = ApplyProjectFields(s, kNoAct, {"Noted", 0, 4242});
  EXPECT_EQ(s.ReadAct(noted).noteNumber, 4242);
}

TEST_F(ProjectEditTest, LoadGivesDefaultsForANewProjectAndTheRecordOtherwise) {
  const ProjectFields fresh = LoadProjectFields(s, kNoAct);
  EXPECT_EQ(fresh.name, "");
  EXPECT_EQ(fresh.hue, kNewProjectHue);
  const ActHandle h = Make("Garden", 0x00FF00);
  const ProjectFields loaded = LoadProjectFields(s, h);
  EXPECT_EQ(loaded.name, "Garden");
  EXPECT_EQ(loaded.hue, 0x00FF00u);
  EXPECT_EQ(loaded.noteNumber, s.ReadAct(h).noteNumber);
  // An item is not a project: nothing of it is offered.
  EXPECT_EQ(LoadProjectFields(s, Item("Weed")).name, "");
}

struct NameCase {
  const char* label;
  std::string name;
  const char* refusal;  // null: taken
};

class ProjectNameTest : public ProjectEditTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(ProjectNameTest, RefusedNamesAreToldAndChangeNothing) {
  const NameCase& c = GetParam();
  EXPECT_EQ(ProjectNameProblem(c.name), c.refusal ? c.refusal : "");

  const ActHandle made = ApplyProjectFields(s, kNoAct, {c.name, 0, 0});
  const ActHandle kept = Make("Garden");
  const ActHandle renamed = ApplyProjectFields(s, kept, {c.name, 0x0000FF, 0});
  if (c.refusal == nullptr) {
    EXPECT_NE(made, kNoAct);
    EXPECT_EQ(renamed, kept);
    EXPECT_EQ(s.GetActNameFull(kept), c.name);
    EXPECT_TRUE(env.ui.boxes.empty());
    return;
  }
  EXPECT_EQ(made, kNoAct);
  EXPECT_EQ(renamed, kNoAct);
  EXPECT_EQ(s.projects().Count(), 1u);
  EXPECT_EQ(s.GetActNameFull(kept), "Garden");
  EXPECT_EQ(s.ReadAct(kept).color, 0x123456u);  // the hue waits for a name it can take
  ASSERT_EQ(env.ui.boxes.size(), 2u);
  EXPECT_EQ(env.ui.boxes[0].text, c.refusal);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ProjectNameTest,
    ::testing::Values(NameCase{"longest", std::string(kProjectNameMax, 'x'), nullptr},
                      NameCase{"oneTooLong", std::string(kProjectNameMax + 1, 'x'),
                               pt::kProjectNameTooLong},
                      NameCase{"empty", "", pt::kProjectNameEmpty},
                      NameCase{"blank", "  \t", pt::kProjectNameEmpty},
                      NameCase{"life", "!Health", nullptr}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(ProjectEditTest, ModifyRenamesInListOrderAndRecoloursKeepingTheIdentity) {
  const ActHandle a = Make("Alpha");
  Make("Beta");
  const uint32_t id = IdOf(a);
  const int32_t note = s.ReadAct(a).noteNumber;
  env.clock.Set(kToday + 1, 10 * 60 + 1);
  EXPECT_EQ(ApplyProjectFields(s, a, {"Gamma", 0xABCDEF, 0}), a);
  EXPECT_EQ(ListTitles(), (std::vector<std::string>{"Beta", "Gamma"}));
  EXPECT_EQ(FindProjectIDByName(s, "Gamma"), id);
  EXPECT_EQ(ProjectColor(s, id), 0xABCDEFu);
  EXPECT_EQ(s.ReadAct(a).noteNumber, note);
  EXPECT_EQ(s.ReadAct(a).touchedDate, kToday + 1);
  EXPECT_EQ(s.ReadAct(a).createdDate, kToday);
  // A handle that is no project is not made one.
  const ActHandle item = Item("Weed");
  EXPECT_EQ(ApplyProjectFields(s, item, {"Weed", 0, 0}), kNoAct);
  EXPECT_FALSE(IsProject(s, item));
}

TEST_F(ProjectEditTest, DuplicateThenPropertiesMakesASecondProject) {
  const ActHandle h = Make("Phase 1", 0x0000FF);
  const ActHandle copy = DuplicateProject(s, h);
  ASSERT_NE(copy, kNoAct);
  EXPECT_TRUE(env.ui.Showed(pt::kProjectDuplicated));
  const ProjectFields fields = LoadProjectFields(s, copy);
  EXPECT_EQ(fields.name, "Phase 2");
  EXPECT_EQ(fields.hue, 0x0000FFu);
  EXPECT_EQ(ApplyProjectFields(s, copy, {"Phase 2 (east)", fields.hue, 0}), copy);
  EXPECT_EQ(ListTitles(), (std::vector<std::string>{"Phase 1", "Phase 2 (east)"}));
  EXPECT_NE(IdOf(copy), IdOf(h));
}

TEST_F(ProjectEditTest, DeleteHandsTheWholeProjectOverOnlyAfterYes) {
  const ActHandle h = Make("Garden");
  const ActHandle weed = Item("Weed");
  s.LockAct(weed).projectID = IdOf(h);
  UndeleteStack undelete(s);
  std::vector<bool> wasProject;
  auto keep = [&](ActHandle kept) {
    wasProject.push_back(IsProject(s, kept));
    undelete.PushUndeleteItem(kept, UNDEL_PROJECT);
  };

  env.ui.Answer(kIdNo);
  EXPECT_FALSE(DeleteProjectCommand(s, h, keep));
  EXPECT_TRUE(wasProject.empty());
  EXPECT_TRUE(undelete.empty());
  EXPECT_TRUE(IsProject(s, h));

  env.ui.Answer(kIdYes);
  EXPECT_TRUE(DeleteProjectCommand(s, h, keep));
  EXPECT_EQ(wasProject, std::vector<bool>{true});
  EXPECT_FALSE(IsProject(s, h));
  EXPECT_TRUE(s.projects().tree().NodesShowing(h).empty());
  std::string name;
  EXPECT_EQ(ProjectName(s, s.GetActProject(weed), name), 0);
  EXPECT_EQ(name, "none");

  env.ui.Answer(kIdYes);
  EXPECT_TRUE(undelete.Undelete().undeleted);
  EXPECT_EQ(ListTitles(), std::vector<std::string>{"Garden"});
  // Nothing to ask about an item.
  const size_t boxes = env.ui.boxes.size();
  EXPECT_FALSE(DeleteProjectCommand(s, weed, keep));
  EXPECT_EQ(env.ui.boxes.size(), boxes);
}

TEST_F(ProjectEditTest, TagUntagFlipsTheSelectedProjectOnlyInTheProjectsList) {
  const ActHandle h = Make("Garden");
  const ActHandle item = Item("Weed");
  s.ClearChanged();
  EXPECT_FALSE(
      TagUntagCommand(s, Command::kPriorityView, h));  // the Priority view's F4 is Sequenced
  EXPECT_FALSE(TagUntagCommand(s, Command::kDayView, h));
  EXPECT_FALSE(AnyTaggedProject(s));
  EXPECT_FALSE(s.changed());

  EXPECT_FALSE(TagUntagCommand(s, Command::kProjectsList, kNoAct));
  EXPECT_FALSE(TagUntagCommand(s, Command::kProjectsList, item));
  EXPECT_FALSE(s.ActFlags(item) & AF_TAGGED);

  EXPECT_TRUE(TagUntagCommand(s, Command::kProjectsList, h));
  EXPECT_TRUE(IsItemProjectTagged(s, IdOf(h)));
  EXPECT_TRUE(s.changed());
  EXPECT_TRUE(TagUntagCommand(s, Command::kProjectsList, h));
  EXPECT_FALSE(AnyTaggedProject(s));
}

}  // namespace
}  // namespace ploven::test
