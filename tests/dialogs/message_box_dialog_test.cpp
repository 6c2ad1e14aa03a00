#include "dialogs/message_box_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "dialogs/box_driver.h"

namespace ploven {
namespace {

using test::After;
using test::SendClick;
using test::SendKey;
using test::WhenOpen;

constexpr int kTick = 10;  // one countdown "second" in these tests

BoxRequest YesNo(int defaultIndex = 0) {
  BoxRequest box;
  box.text = "Save the changes?";
  box.caption = "Ploven";
  box.icon = BoxIcon::kQuestion;
  box.buttons = {{"&Yes", kIdYes}, {"&No", kIdNo}};
  box.defaultIndex = defaultIndex;
  return box;
}

TEST(MessageBoxDialog, CountdownShowsSecondsOnDefaultButtonThenPressesIt) {
  BoxRequest box = YesNo(1);
  box.countdownSeconds = 3;
  MessageBoxDialog dialog(box, nullptr, kTick);
  dialog.show();  // the countdown starts when the box appears
  EXPECT_EQ(dialog.button(1)->text(), "No = 3");
  EXPECT_EQ(dialog.button(0)->text(), "&Yes");
  const BoxAnswer answer = dialog.Run();
  EXPECT_EQ(answer.code, kIdNo);
  EXPECT_TRUE(answer.timedOut);
}

enum class Interrupt { kClick, kKey };

class CountdownInterrupt : public ::testing::TestWithParam<Interrupt> {};

TEST_P(CountdownInterrupt, StopsCountdownAndRestoresCaption) {
  BoxRequest box = YesNo(0);
  box.countdownSeconds = 3;
  MessageBoxDialog dialog(box, nullptr, kTick);
  dialog.show();
  if (GetParam() == Interrupt::kClick)
    SendClick(dialog.findChild<QLabel*>());
  else
    SendKey(dialog.button(0), Qt::Key_Shift);
  EXPECT_FALSE(dialog.countdownRunning());
  EXPECT_EQ(dialog.button(0)->text(), "&Yes");
  // Long past the countdown's end the box still waits for the user.
  After(10 * kTick, [&dialog] { dialog.Press(1); });
  const BoxAnswer answer = dialog.Run();
  EXPECT_EQ(answer.code, kIdNo);
  EXPECT_FALSE(answer.timedOut);
}

INSTANTIATE_TEST_SUITE_P(ClickOrKey, CountdownInterrupt,
                         ::testing::Values(Interrupt::kClick, Interrupt::kKey));

TEST(MessageBoxDialog, DisabledSecondsHoldEveryButtonEscapeAndCloseBox) {
  BoxRequest box = YesNo();
  box.buttons.push_back({"Cancel", kIdCancel});
  box.closeCode = kIdCancel;
  box.disabledSeconds = 3;
  MessageBoxDialog dialog(box, nullptr, kTick);
  dialog.show();
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(dialog.button(i)->isEnabled()) << i;
  dialog.Press(0);
  SendKey(&dialog, Qt::Key_Escape);
  dialog.close();
  EXPECT_TRUE(dialog.isVisible());
  bool enabledLater = false;
  After(6 * kTick, [&] {
    enabledLater = dialog.button(0)->isEnabled() && dialog.button(2)->isEnabled();
    SendKey(&dialog, Qt::Key_Escape);
  });
  const BoxAnswer answer = dialog.Run();
  EXPECT_TRUE(enabledLater);
  EXPECT_EQ(answer.code, kIdCancel);
}

struct CloseCase {
  const char* name;
  int closeCode;
  bool useCloseBox;
  friend void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }
};

class CloseRequest : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CloseRequest, GivesCloseCodeOrDoesNothing) {
  BoxRequest box = YesNo();
  box.closeCode = GetParam().closeCode;
  MessageBoxDialog dialog(box, nullptr, kTick);
  bool stillOpen = false;
  WhenOpen<MessageBoxDialog>([&](MessageBoxDialog& d) {
    if (GetParam().useCloseBox)
      d.close();
    else
      SendKey(d.button(0), Qt::Key_Escape);
    stillOpen = d.isVisible();
    if (stillOpen) d.Press(1);
  });
  const BoxAnswer answer = dialog.Run();
  if (GetParam().closeCode == 0) {
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(answer.code, kIdNo);
  } else {
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(answer.code, GetParam().closeCode);
  }
}

INSTANTIATE_TEST_SUITE_P(EscapeAndCloseBox, CloseRequest,
                         ::testing::Values(CloseCase{"EscapeWithCode", kIdCancel, false},
                                           CloseCase{"EscapeWithoutCode", 0, false},
                                           CloseCase{"CloseBoxWithCode", kIdOk, true},
                                           CloseCase{"CloseBoxWithoutCode", 0, true}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(MessageBoxDialog, CheckBoxAnswerTravelsWithThePressedButton) {
  BoxRequest box = YesNo();
  box.checkBoxText = "Don't show again";
  MessageBoxDialog dialog(box, nullptr, kTick);
  ASSERT_NE(dialog.checkBox(), nullptr);
  EXPECT_EQ(dialog.checkBox()->text(), "Don't show again");
  WhenOpen<MessageBoxDialog>([](MessageBoxDialog& d) {
    d.checkBox()->setChecked(true);
    d.Press(1);
  });
  const BoxAnswer answer = dialog.Run();
  EXPECT_EQ(answer.code, kIdNo);
  EXPECT_TRUE(answer.checked);

  MessageBoxDialog plain(YesNo(), nullptr, kTick);
  EXPECT_EQ(plain.checkBox(), nullptr);
}

TEST(MessageBoxDialog, CtrlCCopiesTheWholeTextWhateverHasFocus) {
  BoxRequest box = YesNo();
  box.text = "First line\r\rSecond line";
  MessageBoxDialog dialog(box, nullptr, kTick);
  WhenOpen<MessageBoxDialog>([](MessageBoxDialog& d) {
    QGuiApplication::clipboard()->clear();
    SendKey(d.button(0), Qt::Key_C, Qt::ControlModifier);
    d.Press(0);
  });
  dialog.Run();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "First line\n\nSecond line");
}

TEST(MessageBoxDialog, KeptOnTheScreenWhenPlacedBeyondIt) {
  BoxRequest box = YesNo();
  box.x = 100000;
  box.y = 100000;
  MessageBoxDialog dialog(box, nullptr, kTick);
  QRect frame;
  WhenOpen<MessageBoxDialog>([&](MessageBoxDialog& d) {
    frame = d.frameGeometry();
    d.Press(0);
  });
  dialog.Run();
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_TRUE(area.contains(frame)) << frame.x() << "," << frame.y();
}

TEST(MessageBoxDialog, CaptionWithoutMnemonic) {
  const std::pair<const char*, const char*> cases[] = {
      {"&Yes", "Yes"}, {"Y&es to All", "Yes to All"}, {"Save && Exit", "Save & Exit"},
      {"OK", "OK"},    {"Trailing&", "Trailing"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(CaptionWithoutMnemonic(in), out) << in;
}

}  // namespace
}  // namespace ploven
