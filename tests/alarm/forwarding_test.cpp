#include "alarm/forwarding.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "alarm/alarm_fixture.h"

namespace ploven::test {
namespace {

struct KindRow {
  const char* entry;
  ForwardKind kind;
};

class ForwardKindTest : public ::testing::TestWithParam<KindRow> {};

TEST_P(ForwardKindTest, TheEntrySaysHowTheAlarmIsForwarded) {
  EXPECT_EQ(ForwardKindOf(GetParam().entry), GetParam().kind);
}

INSTANTIATE_TEST_SUITE_P(
    PagerNumbers, ForwardKindTest,
    ::testing::Values(KindRow{"pat@example.org", ForwardKind::kEmail},
                      KindRow{"sms6131234567", ForwardKind::kText},
                      KindRow{"SMS16131234567", ForwardKind::kText},
                      KindRow{"0044207946000", ForwardKind::kInternetCall},
                      KindRow{"+442079460000", ForwardKind::kInternetCall},
                      KindRow{"echo.pat", ForwardKind::kInternetCall},
                      KindRow{"6130004567", ForwardKind::kPhoneCall},  // zeros inside: a call
                      KindRow{"555-0100", ForwardKind::kPhoneCall}));

TEST(MailMessageTest, LineBreaksInTheSubjectCannotAddHeaders) {
  const std::string m = MailMessage("pat@example.org", "Hi\nBcc: evil@example.org", "Body");
  EXPECT_EQ(m.find("\nBcc:"), std::string::npos);
  EXPECT_NE(m.find("Subject: Hi Bcc: evil@example.org\n"), std::string::npos);
  EXPECT_NE(m.find("\n\nBody\n"), std::string::npos);
}

class ForwardingTest : public AlarmTest {
 protected:
  // A mail command that keeps what it was given, and answers with `exitCode`.
  std::string FakeSendmail(int exitCode) {
    const std::string script = (env.dir / "sendmail").string();
    std::ofstream(script) << "#!/bin/sh\ncat > '" << (env.dir / "mail.txt").string()
                          << "'\necho \"$@\" > '" << (env.dir / "args.txt").string() << "'\nexit "
                          << exitCode << "\n";
    chmod(script.c_str(), 0755);
    return script;
  }
  std::string Read(const std::string& name) {
    std::ifstream in(env.dir / name);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
};

TEST_F(ForwardingTest, AnEmailAlarmGoesToTheMailCommandBeforeTheBox) {
  settings.pagerNumber = "pat@example.org";
  settings.mailCommand = FakeSendmail(0) + " -t -i";
  WithAlarm("Board meeting", At(9), 0, AF_ALARM_AT_BEGIN, AF_ALSO_DIAL);
  env.ui.Answer(kIdOk);
  env.ui.Answer(kBoxNo);
  RunAt(At(9));
  const std::string mail = Read("mail.txt");
  EXPECT_NE(mail.find("To: pat@example.org\n"), std::string::npos);
  EXPECT_NE(mail.find("Subject: Ploven alarm [9:00am]: Board meeting\n"), std::string::npos);
  EXPECT_NE(mail.find("Board meeting" + std::string(89, ' ')), std::string::npos);
  EXPECT_NE(mail.find("[This alarm message was sent by Ploven"), std::string::npos);
  EXPECT_EQ(Read("args.txt"), "-t -i\n");
  ASSERT_GE(env.ui.boxes.size(), 2u);
  EXPECT_NE(
      env.ui.boxes[0].text.find("Ploven has put an outgoing e-mail message to pat@example.org"),
      std::string::npos);
  EXPECT_EQ(AlarmBoxes().size(), 1u);
  EXPECT_EQ(device.progress.front(),
            "Looks like an e-mail alert, so attempting to send an e-mail...");
}

TEST_F(ForwardingTest, ARefusingOrMissingMailCommandIsToldAndTheBoxStillRings) {
  settings.pagerNumber = "pat@example.org";
  for (const std::string& command : {FakeSendmail(75), (env.dir / "no-such-sendmail").string()}) {
    settings.mailCommand = command;
    env.ui.boxes.clear();
    const ActHandle h = WithAlarm("Board meeting", At(9), 0, AF_ALARM_AT_BEGIN, AF_ALSO_DIAL);
    env.ui.Answer(kIdOk);
    env.ui.Answer(kBoxNo);
    RunAt(At(9));
    EXPECT_TRUE(env.ui.Showed("Your default e-mail program has declined")) << command;
    EXPECT_EQ(AlarmBoxes().size(), 1u);
    EXPECT_EQ(State(h), -1);
  }
}

TEST_F(ForwardingTest, MinutesThatPassInsideTheForwardingsMessagesDoNotRingItAgain) {
  NestingUi ui;
  Messages msg(ui, env.clock, env.log, env.trace);
  AlarmRoutine nested{AlarmServices{r, msg, env.clock, text, settings, device, nullptr,
                                    &undelete, "Pat", "/data"}};
  ui.routine = &nested;
  ui.clock = &env.clock;
  ui.minutesLeft = 3;
  settings.pagerNumber = "pat@example.org";
  settings.mailCommand = FakeSendmail(1);  // refused: a message box
  WithAlarm("Board meeting", At(9), 0, AF_ALARM_AT_BEGIN, AF_ALSO_DIAL);
  SetNow(At(9));
  nested.RunMinute();
  int alarmBoxes = 0;
  for (const BoxRequest& b : ui.boxes) alarmBoxes += b.caption.rfind("Ploven Alarm for", 0) == 0;
  EXPECT_EQ(alarmBoxes, 1);
}

TEST_F(ForwardingTest, ATextGoesToTheGatewayOnlyForNorthAmericanNumbers) {
  settings.mailCommand = FakeSendmail(0);
  settings.pagerNumber = "sms6131234567";
  WithAlarm("Pick up", At(9), 0, AF_ALARM_AT_BEGIN, AF_ALSO_DIAL);
  env.ui.Answer(kIdOk);
  env.ui.Answer(kBoxNo);
  RunAt(At(9));
  EXPECT_NE(Read("mail.txt").find("To: 6131234567@txt.att.net\n"), std::string::npos);
  EXPECT_NE(Read("mail.txt").find("Subject: Ploven alarm SMS message\n"), std::string::npos);
  EXPECT_TRUE(env.ui.Showed("An alarm message has been queued for texting"));

  settings.pagerNumber = "sms4420794600012";  // 16 characters
  std::remove((env.dir / "mail.txt").c_str());
  WithAlarm("Abroad", At(9, 5), 0, AF_ALARM_AT_BEGIN, AF_ALSO_DIAL);
  env.ui.Answer(kIdOk);
  env.ui.Answer(kBoxNo);
  RunAt(At(9, 5));
  EXPECT_TRUE(env.ui.Showed("texting is only possible to North American phone numbers"));
  EXPECT_EQ(Read("mail.txt"), "");
}

TEST_F(ForwardingTest, CallsOpenLinksOrTheDialCommand) {
  settings.pagerNumber = "0044207946000";
  WithAlarm("Call home", At(9), 0, AF_ALARM_AT_BEGIN, AF_ALSO_DIAL);
  env.ui.Answer(kBoxNo);
  RunAt(At(9));
  EXPECT_EQ(device.opened, std::vector<std::string>{"callto:0044207946000"});

  settings.pagerNumber = "613 000 4567";
  WithAlarm("Pager", At(9, 5), 0, AF_ALARM_AT_BEGIN, AF_ALSO_DIAL);
  env.ui.Answer(kBoxNo);
  RunAt(At(9, 5));
  EXPECT_EQ(device.opened.back(), "tel:6130004567");
  EXPECT_NE(std::find(device.progress.begin(), device.progress.end(), "Making call..."),
            device.progress.end());

  settings.dialCommand = "dialer --quiet";
  WithAlarm("Modem", At(9, 10), 0, AF_ALARM_AT_BEGIN, AF_ALSO_DIAL);
  env.ui.Answer(kBoxNo);
  RunAt(At(9, 10));
  EXPECT_EQ(device.started.back(), (std::vector<std::string>{"dialer", "--quiet", "613 000 4567"}));
}

TEST_F(ForwardingTest, ACallNobodyCanMakeIsTold) {
  device.openSucceeds = false;
  settings.pagerNumber = "0044207946000";
  WithAlarm("Call home", At(9), 0, AF_ALARM_AT_BEGIN, AF_ALSO_DIAL);
  env.ui.Answer(kIdOk);
  env.ui.Answer(kBoxNo);
  RunAt(At(9));
  EXPECT_TRUE(env.ui.Showed("Ploven cannot find a program to make the call."));
  EXPECT_EQ(AlarmBoxes().size(), 1u);
}

}  // namespace
}  // namespace ploven::test
