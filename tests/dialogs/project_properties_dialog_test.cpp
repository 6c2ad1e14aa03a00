#include "dialogs/project_properties_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <string>

#include "store/project_messages.h"
#include "store/projects.h"
#include "store/schedule_fixture.h"

namespace ploven::test {
namespace {

namespace pt = project_text;

class ProjectPropertiesDialogTest : public ScheduleTest {};

TEST_F(ProjectPropertiesDialogTest, NewProjectIsMadeWithTheChosenHue) {
  ProjectPropertiesDialog dialog(s, kNoAct, "New Project", env.ui);
  EXPECT_EQ(dialog.windowTitle(), "New Project");
  EXPECT_TRUE(dialog.nameField()->text().isEmpty());
  EXPECT_FALSE(dialog.noteButton()->isEnabled());
  uint32_t offered = 0;
  dialog.SetHueChooser([&](uint32_t current, QWidget*) -> std::optional<uint32_t> {
    offered = current;
    return 0x3366CC;
  });
  dialog.hueButton()->click();
  EXPECT_EQ(offered, kNewProjectHue);
  dialog.nameField()->setText("  Garden  ");
  dialog.accept();

  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  const ActHandle h = dialog.project();
  ASSERT_TRUE(IsProject(s, h));
  EXPECT_EQ(s.GetActNameFull(h), "Garden");
  EXPECT_EQ(s.ReadAct(h).color, 0x3366CCu);
}

TEST_F(ProjectPropertiesDialogTest, ModifyRenamesAndACancelledChooserKeepsTheHue) {
  Act record;
  record.color = 0x00AA00;
  const ActHandle h = NewProject(s, record, "Garden");
  ProjectPropertiesDialog dialog(s, h, "Modify Project | created today 9:00", env.ui);
  EXPECT_EQ(dialog.nameField()->text(), "Garden");
  dialog.SetHueChooser([](uint32_t, QWidget*) { return std::optional<uint32_t>(); });
  dialog.hueButton()->click();
  dialog.nameField()->setText("Orchard");
  dialog.accept();
  ASSERT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.project(), h);
  EXPECT_EQ(s.GetActNameFull(h), "Orchard");
  EXPECT_EQ(s.ReadAct(h).color, 0x00AA00u);
  EXPECT_EQ(s.projects().Count(), 1u);
}

TEST_F(ProjectPropertiesDialogTest, TooLongANameIsToldAndTheWindowStaysOpen) {
  ProjectPropertiesDialog dialog(s, kNoAct, "New Project", env.ui);
  dialog.show();
  dialog.nameField()->setText(QString(static_cast<int>(kProjectNameMax) + 1, 'x'));
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.project(), kNoAct);
  EXPECT_EQ(s.projects().Count(), 0u);
  ASSERT_EQ(env.ui.boxes.size(), 1u);
  EXPECT_EQ(env.ui.boxes[0].text, pt::kProjectNameTooLong);

  // Corrected, the same window makes the project.
  dialog.nameField()->setText("Garden");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(IsProject(s, dialog.project()));
}

TEST_F(ProjectPropertiesDialogTest, HelpOpensTheProjectTopicAndCancelMakesNothing) {
  ActHandle result = 1;
  bool opened = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<ProjectPropertiesDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    opened = true;
    dialog->helpButton()->click();
    dialog->nameField()->setText("Garden");
    dialog->reject();
  });
  result = RunProjectPropertiesDialog(nullptr, s, kNoAct, "New Project", env.ui);
  ASSERT_TRUE(opened);
  EXPECT_EQ(result, kNoAct);
  EXPECT_EQ(s.projects().Count(), 0u);
  EXPECT_EQ(env.ui.helpTopics, std::vector<std::string>{"NewProject.htm"});
}

TEST_F(ProjectPropertiesDialogTest, RendersForALook) {
  Act record;
  record.color = 0x5080D0;
  const ActHandle h = NewProject(s, record, "Garden and orchard");
  ProjectPropertiesDialog dialog(s, h, "Modify Project | created today 9:00", env.ui);
  dialog.show();
  const QImage image = dialog.grab().toImage();
  EXPECT_GT(image.width(), 300);
}

}  // namespace
}  // namespace ploven::test
