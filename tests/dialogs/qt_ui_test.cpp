#include "dialogs/qt_ui.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <fstream>

#include "dialogs/box_driver.h"
#include "dialogs/message_box_dialog.h"
#include "mock/test_env.h"
#include "platform/error_log.h"
#include "platform/event_trace.h"
#include "platform/messages.h"

namespace ploven {
namespace {

using test::OpenWindowCount;
using test::WhenOpen;

// The core's messages drawn by real dialogs.
struct QtMessages {
  QtMessages() : log(dir / "PlovenErrorLog.txt", clock), trace(log), msg(ui, clock, log, trace) {
    ui.SetTickMilliseconds(5);
  }
  test::TempDir dir;
  QtUi ui;
  SettableClock clock{17144, 9 * 60 + 1};
  ErrorLog log;
  EventTrace trace;
  Messages msg;
};

TEST(QtUi, CustomBoxWithFiveCaptionsShowsFourButtons) {
  QtMessages m;
  QStringList captions;
  WhenOpen<MessageBoxDialog>([&](MessageBoxDialog& d) {
    for (int i = 0; i < d.buttonCount(); ++i) captions << d.button(i)->text();
    d.Press(3);
  });
  MultiButtonParams params;
  params.customCaptions = "&One\n&Two\nT&hree\n&Four\nF&ive";
  const int code = m.msg.MultiButtonBox("Pick one", "Choices", kMbNoBeep, params);
  EXPECT_EQ(captions, QStringList({"&One", "&Two", "T&hree", "&Four"}));
  EXPECT_EQ(code, kIdCustom1 + 3);
}

TEST(QtUi, CountdownAnswerCarriesTheTimedOutBit) {
  QtMessages m;
  MultiButtonParams params;
  params.customCaptions = "&Go\n&Stay";
  params.countdownSeconds = 2;
  const int code =
      m.msg.MultiButtonBox("Going on by itself", "Ploven", kMbNoBeep | kMbDefButton2, params);
  EXPECT_EQ(static_cast<uint32_t>(code), static_cast<uint32_t>(kIdCustom1 + 1) | kMbTimedOut);
}

TEST(QtUi, SameTextWhileItsBoxIsOpenShowsNoSecondBox) {
  QtMessages m;
  int boxes = 0;
  int openAtOnce = 0;
  std::function<void(MessageBoxDialog&)> answer = [&](MessageBoxDialog& d) {
    ++boxes;
    if (boxes == 1) {
      // Raised again, in other case, from inside the first box: returns at once.
      EXPECT_EQ(m.msg.ErrorMessage("THE DISK IS FULL."), 0);
      openAtOnce = OpenWindowCount<MessageBoxDialog>();
    }
    d.Press(0);
  };
  WhenOpen<MessageBoxDialog>(answer);
  m.msg.ErrorMessage("The disk is full.");
  EXPECT_EQ(boxes, 1);
  EXPECT_EQ(openAtOnce, 1);

  // Once the box has closed the same text shows again.
  WhenOpen<MessageBoxDialog>(answer);
  m.msg.ErrorMessage("The disk is full.");
  EXPECT_EQ(boxes, 2);
}

TEST(QtUi, HelpTopicOpensThePageWithItsAnchor) {
  test::TempDir first;
  test::TempDir second;
  std::ofstream(second / "NewItem.htm") << "<html></html>";
  QtUi ui;
  ui.SetHelpFolders({first.path(), second.path()});
  std::vector<QUrl> opened;
  ui.SetUrlOpener([&](const QUrl& url) {
    opened.push_back(url);
    return true;
  });

  EXPECT_TRUE(ui.OpenHelpTopic("NewItem.htm#Recurring"));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].toLocalFile().toStdString(), (second / "NewItem.htm").string());
  EXPECT_EQ(opened[0].fragment(), "Recurring");

  // A missing page, or a topic that points out of the help folder, opens nothing.
  std::ofstream(first / "secret.htm") << "x";
  ui.SetHelpFolders({second.path()});
  for (const char* topic : {"Missing.htm", "", "#anchor", "../secret.htm", "/etc/passwd"}) {
    EXPECT_FALSE(ui.OpenHelpTopic(topic)) << topic;
  }
  EXPECT_EQ(opened.size(), 1u);
}

}  // namespace
}  // namespace ploven
