// The two programs together: the main program's records reach the calendar folder through the
// built ploven-calendar, and what another program does in that folder comes back, also across a
// companion that was killed in between.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <thread>

#include "bridge/bridge_codes.h"
#include "bridge/incoming_record.h"
#include "bridge/record_fixture.h"
#include "bridge/socket_bridge_link.h"

namespace ploven::test {
namespace {

using namespace std::chrono_literals;

class CalendarEndToEnd : public RecordTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    setenv("PLOVEN_CALENDAR_IDLE_SECONDS", "10", 1);
    std::ofstream(Path("Ploven.ini")) << "[Ploven]\nOutlookToPloven=1\n";
    std::filesystem::create_directories(Path("calendar"));
    SocketBridgeLinkOptions options;
    options.program = PLOVEN_CALENDAR_PATH;
    link = std::make_unique<SocketBridgeLink>(dir.path().toStdString(), options);
    ASSERT_TRUE(link->Start(5));
  }
  void TearDown() override {
    if (link) link->Close();
    unsetenv("PLOVEN_CALENDAR_IDLE_SECONDS");
  }
  std::filesystem::path Path(const std::string& name) const {
    return std::filesystem::path(dir.path().toStdString()) / name;
  }
  std::vector<std::string> CalendarFiles() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(Path("calendar")))
      if (e.path().extension() == ".ics") names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::string Text(const std::filesystem::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<BridgeFrame> Changes() {
    const auto changes = link->FetchCalendarChanges();
    EXPECT_TRUE(changes.has_value());
    return changes.value_or(std::vector<BridgeFrame>{});
  }

  QTemporaryDir dir;
  std::unique_ptr<SocketBridgeLink> link;
};

TEST_F(CalendarEndToEnd, AnAppointmentGoesOutAndAPhonesToDoComesBackOnceAcrossACrash) {
  // Ploven makes an appointment: its record becomes an event file.
  const ActHandle h = Item("Dentist", AF_FIXED, ClockTime(10, 0), 30);
  const uint32_t id = s.GetActID(h);
  const BridgeRecord record = NewItemRecord(s, OccurrenceOf(s, h), context).value();
  ASSERT_EQ(link->Send({record.code, record.text, kActionSave, id, kToday, {}}),
            LinkResult::kDelivered)
      << link->LastRefusal();
  std::vector<std::string> files = CalendarFiles();
  ASSERT_EQ(files.size(), 1u);
  const std::string event = Text(Path("calendar") / files[0]);
  EXPECT_NE(event.find("BEGIN:VEVENT"), std::string::npos) << event;
  EXPECT_NE(event.find("SUMMARY:Dentist"), std::string::npos) << event;
  EXPECT_NE(event.find("X-PLOVEN-ID:" + std::to_string(id)), std::string::npos) << event;
  EXPECT_TRUE(Changes().empty());  // Ploven's own file is not news to Ploven

  // Another program drops a to-do into the folder.
  std::ofstream(Path("calendar") / "phone-milk.ics")
      << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VTODO\r\n"
         "UID:phone-milk\r\nDTSTAMP:20261208T080000Z\r\nSUMMARY:Buy milk\r\n"
         "DUE;VALUE=DATE:20261215\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
  std::vector<BridgeFrame> changes = Changes();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].code, BridgeCode::kTask);
  const IncomingParse parsed = ParseIncomingRecord(changes[0].code, changes[0].record, context.dateText);
  ASSERT_TRUE(parsed.item) << parsed.refusal << "\n" << changes[0].record;
  EXPECT_EQ(parsed.item->title, "Buy milk");
  EXPECT_EQ(parsed.item->deadlineDate, kToday + 7);
  const std::string key = changes[0].key;

  // The companion dies before the change was taken: a new one hands over the same change,
  // once, and writes nothing twice.
  const std::optional<pid_t> pid = link->CompanionPid();
  ASSERT_TRUE(pid.has_value());
  kill(*pid, SIGKILL);
  for (int i = 0; i < 100 && kill(*pid, 0) == 0; ++i) {
    waitpid(*pid, nullptr, WNOHANG);
    std::this_thread::sleep_for(20ms);
  }
  ASSERT_TRUE(link->Start(5));
  changes = Changes();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].key, key);
  EXPECT_EQ(CalendarFiles().size(), 2u);

  // Ploven took it in as item 77: the ID echo ends the change, and a later edit in the folder
  // comes back as a change of item 77.
  const BridgeRecord echo = IdEchoRecord("Buy milk", 77);
  ASSERT_EQ(link->Send({echo.code, echo.text, kActionSave, 77, kNoDate, key}),
            LinkResult::kDelivered);
  EXPECT_TRUE(Changes().empty());
  std::this_thread::sleep_for(20ms);  // a stamp of its own for the edit
  std::ofstream(Path("calendar") / "phone-milk.ics")
      << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VTODO\r\n"
         "UID:phone-milk\r\nDTSTAMP:20261208T090000Z\r\nSUMMARY:Buy oat milk\r\n"
         "DUE;VALUE=DATE:20261215\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
  changes = Changes();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].code, BridgeCode::kCalendarChange1);
  EXPECT_EQ(changes[0].itemID, 77u);
  EXPECT_NE(changes[0].record.find("Buy oat milk"), std::string::npos);
  ASSERT_TRUE(link->Confirm(changes[0].key));

  // The event deleted there comes back as the delete of Ploven's appointment.
  std::filesystem::remove(Path("calendar") / files[0]);
  changes = Changes();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].code, BridgeCode::kCalendarDeleteAppointment);
  EXPECT_EQ(changes[0].itemID, id);
}

}  // namespace
}  // namespace ploven::test
