#include "platform/messages.h"

#include <gtest/gtest.h>

#include <functional>

#include "mock/scripted_ui.h"
#include "platform/error_log.h"
#include "platform/event_trace.h"
#include "platform/settings.h"
#include "temp_folder.h"

namespace ploven {
namespace {

using test::InternalErrorRaised;
using test::ReadAll;
using test::ScriptedUi;
using test::TempFolder;

// A screen whose boxes run code while they are open, as a nested event loop would.
class ReentrantUi : public ScriptedUi {
 public:
  BoxAnswer ShowBox(const BoxRequest& box) override {
    BoxAnswer answer = ScriptedUi::ShowBox(box);
    if (whileOpen && !running) {
      running = true;
      auto call = whileOpen;
      call();
      running = false;
    }
    return answer;
  }
  std::function<void()> whileOpen;
  bool running = false;
};

class MessagesTest : public ::testing::Test {
 protected:
  MessagesTest()
      : m_clock(10000, 600),
        m_log(m_dir / "PlovenErrorLog.txt", m_clock),
        m_trace(m_log),
        m_settings(m_dir / "Ploven.ini", m_dir / "profile.ini"),
        m_messages(m_ui, m_clock, m_log, m_trace) {
    m_clock.SetEpochSeconds(1.25e9);
    EXPECT_TRUE(m_settings.Load());
    m_messages.SetSettings(&m_settings);
  }
  std::string Log() const { return ReadAll(m_log.Path()); }

  TempFolder m_dir;
  SettableClock m_clock;
  ErrorLog m_log;
  EventTrace m_trace;
  Settings m_settings;
  ReentrantUi m_ui;
  Messages m_messages;
};

TEST_F(MessagesTest, Caption) {
  EXPECT_EQ(m_messages.Caption(), "Ploven");
  m_messages.SetUserName("Ann");
  EXPECT_EQ(m_messages.Caption(), "Ploven - Ann");
  m_messages.SetUserName(std::string(100, 'u'));  // 109 characters with the product name
  EXPECT_EQ(m_messages.Caption().size(), 109u);
  m_messages.SetUserName(std::string(101, 'u'));
  EXPECT_THROW(m_messages.Caption(), InternalErrorRaised);
  EXPECT_NE(Log().find("MsgCaption too long"), std::string::npos);
  EXPECT_NE(m_ui.boxes.back().text.find("Version " PLOVEN_VERSION ": Msg"), std::string::npos);
}

TEST_F(MessagesTest, ErrorMessageLogsBeepsAndShowsATaskModalWarning) {
  EXPECT_EQ(m_messages.ErrorMessage("Disk is full"), 0);
  ASSERT_EQ(m_ui.boxes.size(), 1u);
  const BoxRequest& box = m_ui.boxes[0];
  EXPECT_EQ(box.text, "Disk is full");
  EXPECT_EQ(box.caption, "Ploven");
  EXPECT_EQ(box.icon, BoxIcon::kExclamation);
  EXPECT_EQ(box.modality, BoxModality::kTaskModal);
  EXPECT_EQ(m_ui.beeps, 1);
  EXPECT_NE(Log().find(" Disk is full\n"), std::string::npos);
  EXPECT_EQ(m_messages.LastMessage(), "");
}

TEST_F(MessagesTest, ErrorMessageWithPathFillsOnlyItsOneArgument) {
  m_messages.ErrorMessageWithPath("Cannot open %s (100%%) %d", "/tmp/%s.pak");
  EXPECT_EQ(m_ui.boxes.back().text, "Cannot open /tmp/%s.pak (100%) %d");
  EXPECT_EQ(m_ui.beeps, 0);
}

TEST_F(MessagesTest, SameTextWhileOpenShowsOneBoxThenShowsAgainAfterClose) {
  int inner = -1;
  m_ui.whileOpen = [&] {
    EXPECT_EQ(m_messages.LastMessage(), "Cannot save");
    inner = m_messages.ErrorMessage("CANNOT SAVE");
  };
  m_messages.ErrorMessage("Cannot save");
  EXPECT_EQ(inner, 0);
  EXPECT_EQ(m_ui.boxes.size(), 1u);
  EXPECT_EQ(m_ui.beeps, 1);

  m_ui.whileOpen = nullptr;
  m_messages.ErrorMessage("Cannot save");
  EXPECT_EQ(m_ui.boxes.size(), 2u);
}

TEST_F(MessagesTest, GateCoversQuestionsAndInformationButNotOtherTexts) {
  std::vector<int> inner;
  m_ui.whileOpen = [&] {
    inner.push_back(m_messages.Question("Delete it?"));
    inner.push_back(m_messages.QuestionNoDefault("delete it?"));
    inner.push_back(m_messages.InformationMessage("Delete it?"));
    inner.push_back(m_messages.ErrorMessage("Something else"));
  };
  EXPECT_EQ(m_messages.Question("Delete it?"), kIdYes);
  EXPECT_EQ(inner, (std::vector<int>{kIdNo, kIdNo, 0, 0}));
  // The outer question and the other text.
  ASSERT_EQ(m_ui.boxes.size(), 2u);
  EXPECT_EQ(m_ui.boxes[1].text, "Something else");
}

TEST_F(MessagesTest, AnInnerBoxClosingKeepsTheOuterGateShut) {
  int calls = 0;
  m_ui.whileOpen = [&] {
    m_messages.InformationMessage("inner");  // opens and closes inside the outer box
    ++calls;
    m_messages.ErrorMessage("outer");  // the outer box is still open
  };
  m_messages.ErrorMessage("outer");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(m_ui.Texts(), (std::vector<std::string>{"outer", "inner"}));
}

TEST_F(MessagesTest, QuestionsDefaultButtonAndAnswers) {
  m_ui.Answer(kIdNo);
  EXPECT_EQ(m_messages.Question("Q1"), kIdNo);
  EXPECT_EQ(m_ui.boxes.back().defaultIndex, 0);
  m_ui.Answer(kIdYes);
  EXPECT_EQ(m_messages.QuestionNoDefault("Q2"), kIdYes);
  const BoxRequest& box = m_ui.boxes.back();
  EXPECT_EQ(box.defaultIndex, 1);
  ASSERT_EQ(box.buttons.size(), 2u);
  EXPECT_EQ(box.buttons[0].caption, "&Yes");
  EXPECT_EQ(box.buttons[1].code, kIdNo);
  EXPECT_EQ(box.icon, BoxIcon::kInformation);
  EXPECT_EQ(box.closeCode, 0);
  // Whatever else comes back is not a Yes.
  m_ui.Answer(kIdCancel);
  EXPECT_EQ(m_messages.Question("Q3"), kIdNo);
}

TEST_F(MessagesTest, ResourceErrorNamesVersionModuleAndLine) {
  m_messages.ResourceError("CLIPBORD", 74);
  const std::string expected =
      "Your computer's system memory is full, however Ploven is fine. Close at least one other "
      "program, then click OK to continue using Ploven.\n\n[Version:" PLOVEN_VERSION
      " Error Condition:CLIPBORD74]";
  EXPECT_EQ(m_ui.boxes.back().text, expected);
  EXPECT_EQ(m_ui.boxes.back().icon, BoxIcon::kError);
  EXPECT_EQ(m_ui.beeps, 1);
  EXPECT_NE(Log().find("Your computer's system memory is full"), std::string::npos);
}

TEST_F(MessagesTest, TraceEntryText) {
  TraceContext context;
  context.saveInProgress = true;
  context.viewMode = 931;
  context.viewedDate = "3/7/09";
  m_messages.Trace(-40, context);
  context.selected = TraceContext::Item{17, 0x1a, "Weekly", true};
  m_messages.Trace(5, context);
  const auto entries = m_trace.Entries();
  ASSERT_EQ(entries.size(), 2u);
  const LogStamp stamp = LogStampAt(m_clock.EpochSeconds());
  const std::string head = stamp.date + " " + stamp.time + ": event#";
  EXPECT_EQ(entries[0], head + "-40 SaveInProgress?1 ViewMode#931 curdat:3/7/09 ");
  EXPECT_EQ(entries[1], head +
                            "5 SaveInProgress?1 ViewMode#931 curdat:3/7/09 "
                            "hAct:17 flags:1a Recurr:Weekly FTD?Y");
}

// ---- Multi-button box ----

TEST_F(MessagesTest, FiveCustomCaptionsShowFourButtons) {
  MultiButtonParams p;
  p.customCaptions = "&One\n&Two\n&Three\n&Four\n&Five";
  m_ui.Answer(26);
  EXPECT_EQ(m_messages.MultiButtonBox("Pick", "Choose", 0, p), 26);
  const BoxRequest& box = m_ui.boxes.back();
  ASSERT_EQ(box.buttons.size(), 4u);
  EXPECT_EQ(box.buttons[0].caption, "&One");
  EXPECT_EQ(box.buttons[0].code, 23);
  EXPECT_EQ(box.buttons[3].caption, "&Four");
  EXPECT_EQ(box.buttons[3].code, 26);
  EXPECT_EQ(box.caption, "Choose");
}

struct ButtonSetCase {
  const char* name;
  uint32_t style;
  std::vector<std::string> captions;
  int defaultIndex;
};

class ButtonSetTest : public MessagesTest, public ::testing::WithParamInterface<ButtonSetCase> {};

TEST_P(ButtonSetTest, StandardButtons) {
  const ButtonSetCase& c = GetParam();
  m_messages.MultiButtonBox("text", "", c.style, {});
  const BoxRequest& box = m_ui.boxes.back();
  std::vector<std::string> captions;
  for (const auto& b : box.buttons) captions.push_back(b.caption);
  EXPECT_EQ(captions, c.captions);
  EXPECT_EQ(box.defaultIndex, c.defaultIndex);
  EXPECT_EQ(box.caption, "Error");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ButtonSetTest,
    ::testing::Values(
        ButtonSetCase{"Ok", kMbOk, {"OK"}, 0},
        ButtonSetCase{"OkCancelSecond", kMbOkCancel | kMbDefButton2, {"OK", "Cancel"}, 1},
        ButtonSetCase{
            "DefaultBeyondTheButtonsFallsBack", kMbYesNo | kMbDefButton3, {"&Yes", "&No"}, 0},
        ButtonSetCase{"YesNoCancelToAll",
                      kMbYesNoCancel | kMbToAll | kMbToAll2 | kMbDefButton4,
                      {"&Yes", "Y&es to All", "&No", "N&o to All", "Cancel"},
                      3},
        ButtonSetCase{"AbortRetryIgnoreAll",
                      kMbAbortRetryIgnore | kMbToAll,
                      {"&Abort", "&Retry", "&Ignore", "I&gnore All"},
                      0},
        ButtonSetCase{"HelpLast", kMbRetryCancel | kMbHelp, {"&Retry", "Cancel", "&Help"}, 0},
        ButtonSetCase{"CancelTryContinue",
                      kMbCancelTryContinue | kMbDefButton3,
                      {"Cancel", "&Try Again", "&Continue"},
                      2},
        ButtonSetCase{"SkipAll", kMbSkipCancel | kMbToAll, {"&Skip", "S&kip All", "Cancel"}, 0}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(MessagesTest, StyleBitsShapeTheBox) {
  MultiButtonParams p;
  p.countdownSeconds = 14;
  p.disabledSeconds = 1000;
  p.x = 5;
  p.y = 6;
  p.options = 0x5;
  m_messages.MultiButtonBox(
      "t", "c", kMbYesNo | kMbIconQuestion | kMbTaskModal | kMbDontTellAgain | kMbDontShowAgain, p);
  const BoxRequest& box = m_ui.boxes.back();
  EXPECT_EQ(box.icon, BoxIcon::kQuestion);
  EXPECT_EQ(box.modality, BoxModality::kTaskModal);
  EXPECT_EQ(box.checkBoxText, "Don't tell me again");
  EXPECT_EQ(box.countdownSeconds, 14);
  EXPECT_EQ(box.disabledSeconds, 10);
  EXPECT_EQ(box.x, 5);
  EXPECT_EQ(box.y, 6);
  EXPECT_TRUE(box.foreground);
  EXPECT_TRUE(box.topmost);
  EXPECT_FALSE(box.plainSystemBox);

  p.countdownSeconds = 5000;
  m_messages.MultiButtonBox("t", "c", kMbIconStop | kMbSystemModal | kMbDontWarnAgain, p);
  EXPECT_TRUE(m_ui.boxes.back().plainSystemBox);
  EXPECT_EQ(m_ui.boxes.back().icon, BoxIcon::kError);
  EXPECT_EQ(m_ui.boxes.back().modality, BoxModality::kSystemModal);
  EXPECT_EQ(m_ui.boxes.back().checkBoxText, "");

  m_messages.MultiButtonBox("t", "c", kMbDontWarnAgain, p);
  EXPECT_EQ(m_ui.boxes.back().checkBoxText, "Don't warn me again");
  EXPECT_EQ(m_ui.boxes.back().countdownSeconds, 10);
}

TEST_F(MessagesTest, CountdownPressAddsTheTimeoutBit) {
  MultiButtonParams p;
  p.customCaptions = "&Yes, view it now\n&No, continue";
  p.countdownSeconds = 14;
  m_ui.answers.push_back({24, false, true});
  const int code = m_messages.MultiButtonBox("t", "c", kMbDefButton2, p);
  EXPECT_EQ(static_cast<uint32_t>(code), 0x80000000u | 24u);
}

TEST_F(MessagesTest, CloseBoxRule) {
  // With Cancel it gives Cancel.
  m_ui.Answer(kIdCancel);
  EXPECT_EQ(m_messages.MultiButtonBox("t", "c", kMbYesNoCancel, {}), kIdCancel);
  EXPECT_EQ(m_ui.boxes.back().closeCode, kIdCancel);
  // OK the only way out (Help does not count): OK.
  m_ui.Answer(kIdCancel);
  EXPECT_EQ(m_messages.MultiButtonBox("t", "c", kMbOk | kMbHelp, {}), kIdOk);
  EXPECT_EQ(m_ui.boxes.back().closeCode, kIdOk);
  // Otherwise nothing happens: the box stays until a button is pressed.
  MultiButtonParams p;
  p.customCaptions = "&A\n&B";
  m_ui.boxes.clear();
  m_ui.Answer(kIdCancel);
  m_ui.Answer(24);
  EXPECT_EQ(m_messages.MultiButtonBox("t", "c", 0, p), 24);
  EXPECT_EQ(m_ui.boxes.size(), 2u);
  EXPECT_EQ(m_ui.boxes.front().closeCode, 0);
}

TEST_F(MessagesTest, HelpAndReportLeaveTheBoxOpen) {
  MultiButtonParams p;
  int reports = 0;
  p.report = [&] { ++reports; };
  p.helpContext = 12;
  m_ui.Answer(kIdHelp);
  m_ui.Answer(kIdReport);
  m_ui.Answer(kIdOk);
  EXPECT_EQ(m_messages.MultiButtonBox("t", "c", kMbOk | kMbHelp, p), kIdOk);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(m_ui.boxes.size(), 3u);
  EXPECT_EQ(m_ui.helpTopics, (std::vector<std::string>{"context12.htm"}));
  EXPECT_EQ(m_ui.boxes[0].buttons.back().caption, "&Help");
}

TEST_F(MessagesTest, BeepUnlessSuppressedOrAlarmsSilent) {
  m_messages.MultiButtonBox("t", "c", 0, {});
  EXPECT_EQ(m_ui.beeps, 1);
  m_messages.MultiButtonBox("t", "c", kMbNoBeep, {});
  EXPECT_EQ(m_ui.beeps, 1);
  ASSERT_TRUE(m_settings.WriteInt("AlarmsSilent", 1));
  m_messages.MultiButtonBox("t", "c", 0, {});
  EXPECT_EQ(m_ui.beeps, 1);
}

TEST_F(MessagesTest, DoNotShowAgainIsRememberedOnTheNextStart) {
  MultiButtonParams p;
  p.customCaptions = "&Load tutorial\n&No, maybe later";
  p.module = "Tutorial";
  p.number = 12;
  m_ui.Answer(24, /*checked=*/true);
  const int first = m_messages.MultiButtonBox("Load?", "c", kMbDontShowAgain, p);
  EXPECT_EQ(first, kMbDontShowAgain | 24);
  EXPECT_EQ(m_settings.ReadPrivate("DoNotAsk", "Tutorial12"), "04000018");

  // The next start: fresh objects over the same files.
  Settings settings(m_dir / "Ploven.ini", m_dir / "profile.ini");
  ASSERT_TRUE(settings.Load());
  ScriptedUi ui;
  Messages messages(ui, m_clock, m_log, m_trace);
  messages.SetSettings(&settings);
  EXPECT_EQ(messages.MultiButtonBox("Load?", "c", kMbDontShowAgain, p), kMbDontShowAgain | 24);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(ui.beeps, 0);

  // Another number is another question.
  p.number = 13;
  EXPECT_EQ(messages.MultiButtonBox("Load?", "c", kMbDontShowAgain, p), 23);
  EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(MessagesTest, UntickedOrModulelessAnswersAreNotRemembered) {
  MultiButtonParams p;
  p.module = "Mod";
  m_ui.Answer(kIdOk, false);
  EXPECT_EQ(m_messages.MultiButtonBox("t", "c", kMbDontWarnAgain, p), kIdOk);
  p.module.clear();
  m_ui.Answer(kIdOk, true);
  EXPECT_EQ(m_messages.MultiButtonBox("t", "c", kMbDontWarnAgain, p),
            static_cast<int>(kMbDontWarnAgain | 1u));
  EXPECT_FALSE(m_settings.PrivateFile().HasSection("DoNotAsk"));
  // A stored value without a check-box bit does not count.
  ASSERT_TRUE(m_settings.WritePrivate("DoNotAsk", "Mod0", "00000001"));
  p.module = "Mod";
  m_ui.boxes.clear();
  m_messages.MultiButtonBox("t", "c", kMbDontWarnAgain, p);
  EXPECT_EQ(m_ui.boxes.size(), 1u);
}

// ---- Internal error ----

struct InternalCase {
  const char* name;
  const char* module;
  bool unsaved;
  std::vector<std::string> present;
  std::vector<std::string> absent;
  const char* helpTopic;
};

class InternalErrorTest : public MessagesTest,
                          public ::testing::WithParamInterface<InternalCase> {};

TEST_P(InternalErrorTest, ReportTextAndEnd) {
  const InternalCase& c = GetParam();
  int lockReleased = 0;
  m_messages.SetShutdownFacts([&] {
    ShutdownFacts f;
    f.unsavedChanges = c.unsaved;
    f.lastAutosaveEpochSeconds = m_clock.EpochSeconds() - 42.7;
    f.releaseWriteLock = [&] { ++lockReleased; };
    return f;
  });
  EXPECT_THROW(m_messages.InternalError("Chain broken", c.module, 812), InternalErrorRaised);
  EXPECT_TRUE(m_messages.ShuttingDown());
  EXPECT_EQ(lockReleased, 1);
  EXPECT_EQ(m_ui.shutdowns, 1);
  ASSERT_EQ(m_ui.boxes.size(), 1u);
  const BoxRequest& box = m_ui.boxes[0];
  EXPECT_EQ(box.caption, "Forcing shutdown of Ploven, to protect your schedule file");
  ASSERT_EQ(box.buttons.size(), 1u);
  EXPECT_EQ(box.buttons[0].caption, "&Exit Ploven");
  EXPECT_EQ(box.modality, BoxModality::kSystemModal);
  EXPECT_EQ(box.icon, BoxIcon::kInformation);
  EXPECT_EQ(box.text.rfind("Our apologies: something unexpected has happened that requires you "
                           "to exit Ploven.\n\nChain broken\n\n\n",
                           0),
            0u);
  const std::string condition = std::string("Version " PLOVEN_VERSION ": ") + c.module + "812";
  EXPECT_NE(box.text.find("report this error condition:\n" + condition + "\n"), std::string::npos);
  EXPECT_NE(box.text.find(" (you can launch Ploven Help from outside of Ploven"),
            std::string::npos);
  EXPECT_NE(box.text.find("Please click OK now, then launch Ploven again."), std::string::npos);
  for (const auto& s : c.present) EXPECT_NE(box.text.find(s), std::string::npos) << s;
  for (const auto& s : c.absent) EXPECT_EQ(box.text.find(s), std::string::npos) << s;
  EXPECT_EQ(m_ui.helpTopics, (std::vector<std::string>{c.helpTopic}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InternalErrorTest,
    ::testing::Values(
        InternalCase{"AllSaved",
                     "Balance",
                     false,
                     {"All the most recent changes to your schedule data were saved",
                      "please read the Error Messages Explained help topic\n (you can"},
                     {"saved 42 seconds ago", "may be corrupt", "Troubleshooting"},
                     "ErrorMessages.htm"},
        InternalCase{"SavedAgo",
                     "Utilacts",
                     true,
                     {"Your schedule data was most recently automatically saved 42 seconds "
                      "ago.\n\n"},
                     {"All the most recent changes", "may be corrupt"},
                     "ErrorMessages.htm"},
        InternalCase{"ScheduleReader",
                     "Pakload",
                     false,
                     {"We suspect that your main schedule file (called timedata.pak) may be "
                      "corrupt and thus potentially unusable.\n\nDon't worry: Ploven "
                      "automatically made backups",
                      "Therefore, if this message reappears after you launch Ploven again, "
                      "please read the Troubleshooting help topic\n"},
                     {"Error Messages Explained"},
                     "Troubleshooting.htm#corrupt"}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(MessagesTest, InternalErrorLogsTheTraceOldestFirst) {
  m_trace.Add("older");
  m_trace.Add("newer");
  EXPECT_THROW(m_messages.InternalError("Lost it", "Balance", 7), InternalErrorRaised);
  const std::string log = Log();
  const LogStamp stamp = LogStampAt(m_clock.EpochSeconds());
  const std::string expected = stamp.date + " " + stamp.time + " Lost it\nolder\nnewer\n" +
                               stamp.date + " " + stamp.time +
                               " Version " PLOVEN_VERSION ": Balance7\n\n";
  EXPECT_EQ(log, expected);
  EXPECT_EQ(m_trace.Count(), 0u);
}

TEST_F(MessagesTest, InternalErrorEndsEvenWhenTheBoxCannotBeShown) {
  class BrokenUi : public ScriptedUi {
   public:
    BoxAnswer ShowBox(const BoxRequest&) override { throw std::runtime_error("no display"); }
  } ui;
  Messages messages(ui, m_clock, m_log, m_trace);
  EXPECT_THROW(messages.InternalError("x", "Balance", 1), InternalErrorRaised);
  EXPECT_EQ(ui.shutdowns, 1);
}

TEST_F(MessagesTest, ASecondInternalErrorDuringTheFirstEndsAtOnce) {
  int factsCalls = 0;
  m_messages.SetShutdownFacts([&] {
    ++factsCalls;
    m_messages.InternalError("while gathering facts", "File", 2);
    return ShutdownFacts{};
  });
  EXPECT_THROW(m_messages.InternalError("first", "Balance", 1), InternalErrorRaised);
  EXPECT_EQ(factsCalls, 1);
  EXPECT_EQ(m_ui.shutdowns, 1);
  EXPECT_NE(Log().find("while gathering facts"), std::string::npos);

  // And from inside the report box.
  ReentrantUi ui;
  Messages messages(ui, m_clock, m_log, m_trace);
  ui.whileOpen = [&] { messages.InternalError("again", "Balance", 3); };
  EXPECT_THROW(messages.InternalError("first", "Balance", 1), InternalErrorRaised);
  EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(MessagesTest, ATraceWithoutALogGetsTheMessagesLog) {
  EventTrace trace;
  Messages messages(m_ui, m_clock, m_log, trace);
  trace.SetLogDirectly(true);
  messages.Trace(-42, {});
  EXPECT_EQ(trace.Count(), 0u);
  EXPECT_NE(Log().find("event#-42"), std::string::npos);
}

TEST_F(MessagesTest, OpenHelpTopicAndShutdownLine) {
  EXPECT_TRUE(m_messages.OpenHelpTopic("AboutPloven.htm"));
  EXPECT_EQ(m_ui.helpTopics, (std::vector<std::string>{"AboutPloven.htm"}));
  m_messages.LogShutdown();
  EXPECT_NE(Log().find("Ploven shutdown (normal shutdown requested by user, or Ploven insisted "
                       "upon shutdown due to error condition)."),
            std::string::npos);
}

}  // namespace
}  // namespace ploven
