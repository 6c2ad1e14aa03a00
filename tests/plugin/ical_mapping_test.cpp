#include "plugin/ical_mapping.h"

#include <QTimeZone>
#include <cstdlib>
#include <ctime>

#include "plugin/calendar_side_fixture.h"

namespace ploven::calendar::test {
namespace {

const QDate kToday(2026, 12, 8);

QByteArray Write(const ItemFields& item, const QByteArray& existing = {}) {
  const Parsed<QByteArray> text = WriteItem(existing, item, QStringLiteral("uid-1"), kToday);
  EXPECT_TRUE(text) << text.error.toStdString();
  return text ? *text.value : QByteArray();
}

// Unfolded lines of a calendar text.
QByteArray Unfolded(QByteArray text) {
  text.replace("\r\n ", "");
  return text.replace("\r\n", "\n");
}

ItemFields WithRule(ItemFields item, RecurrenceRule rule) {
  item.recurrence = rule;
  return item;
}

struct RoundTrip {
  const char* name;
  ItemFields item;
};

class MappingRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(MappingRoundTrip, ReadsBackWhatWasWritten) {
  const ItemFields& item = GetParam().item;
  const QByteArray text = Write(item);
  const Parsed<CalendarEntry> entry = ReadEntry(text, kToday);
  ASSERT_TRUE(entry) << entry.error.toStdString() << text.toStdString();
  EXPECT_EQ(entry.value->uid, "uid-1");
  EXPECT_EQ(entry.value->todo, !item.appointment);
  ItemFields expected = item;
  if (item.recurrence) {
    // The file's first day is the rule's first occurrence.
    expected.date = entry.value->fields.date;
  }
  EXPECT_EQ(entry.value->fields, expected) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Items, MappingRoundTrip,
    ::testing::Values(
        RoundTrip{"Task", SampleTask("Plant bulbs", 12)},
        RoundTrip{"PrivateTask", SampleTask("!Doctor, results; call", 13)},
        RoundTrip{"Appointment", SampleAppointment("Dentist", 14)},
        RoundTrip{"WeeklyAppointment",
                  WithRule(SampleAppointment("Standup", 15),
                           {1, 0x0a, 0, 2, QDate(2026, 12, 7), QDate(2027, 3, 1)})},
        RoundTrip{"ThirtiethOfEveryMonth", WithRule(SampleAppointment("Rent", 16),
                                                    {2, 0, 1u << 29, 1, QDate(2026, 12, 1), {}})},
        RoundTrip{"MonthlyTask",
                  WithRule(SampleTask("Invoice", 17), {2, 0, 1u << 0, 1, QDate(2026, 12, 1), {}})}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Mapping, TodoFieldsAreThoseCalendarsKnow) {
  ItemFields task = SampleTask("!Essay", 5);
  task.done = true;
  const QByteArray text = Unfolded(Write(task));
  EXPECT_TRUE(text.contains("BEGIN:VTODO"));
  EXPECT_TRUE(text.contains("\nDUE"));
  EXPECT_FALSE(text.contains("\nDURATION")) << "DUE and DURATION never together";
  EXPECT_TRUE(text.contains("\nX-PLOVEN-ESTIMATE:90"));
  EXPECT_TRUE(text.contains("\nSTATUS:COMPLETED"));
  EXPECT_TRUE(text.contains("\nPERCENT-COMPLETE:100"));
  EXPECT_TRUE(text.contains("\nCOMPLETED:"));
  EXPECT_TRUE(text.contains("\nCLASS:PRIVATE"));
  EXPECT_TRUE(text.contains("\nCATEGORIES:Garden,Home\n"));
  EXPECT_TRUE(text.contains("\nDESCRIPTION:Buy bulbs\\nand compost"));
  EXPECT_TRUE(text.contains("\nX-PLOVEN-ID:5"));
  EXPECT_TRUE(text.contains("TRIGGER;RELATED=END:-PT30M"));
  EXPECT_TRUE(text.contains("\nPRIORITY:5"));
}

// Ploven's words for no project and no label are no categories in the user's calendar, yet
// they read back as they went.
TEST(Mapping, NoProjectAndNoLabelAreNoCategories) {
  ItemFields task = SampleTask("Call Sam", 6);
  task.project = QStringLiteral("none");
  task.label = QStringLiteral("(no label)");
  const QByteArray text = Write(task);
  EXPECT_FALSE(Unfolded(text).contains("\nCATEGORIES")) << text.toStdString();
  const Parsed<CalendarEntry> back = ReadEntry(text, kToday);
  ASSERT_TRUE(back) << back.error.toStdString();
  EXPECT_EQ(back.value->fields.project, QStringLiteral("none"));
  EXPECT_EQ(back.value->fields.label, QStringLiteral("(no label)"));
}

TEST(Mapping, RuleNoCalendarCanSayBecomesDatesOfTheComingYear) {
  const ItemFields rent =
      WithRule(SampleAppointment("Rent", 1), {2, 0, 1u << 29, 1, QDate(2026, 12, 1), {}});
  const QByteArray text = Unfolded(Write(rent));
  EXPECT_FALSE(text.contains("\nRRULE"));
  EXPECT_EQ(text.count("\nRDATE"), 11);  // 30 Dec is the start; the next 11 months follow
  EXPECT_TRUE(text.contains("20270228T090500")) << "February's last day stands in";
}

TEST(Mapping, UpdateKeepsWhatPlovenDoesNotOwn) {
  const QByteArray foreign =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VEVENT\r\nUID:abc\r\n"
      "DTSTAMP:20261201T100000Z\r\nSUMMARY:Old\r\nDTSTART:20261209T080000Z\r\n"
      "X-OTHER-COLOR:teal\r\nATTACH:https://example.org/agenda.pdf\r\nCLASS:CONFIDENTIAL\r\n"
      "EXDATE:20261216T080000Z\r\nCATEGORIES:Old\r\n"
      "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-P1D\r\nX-OTHER-SOUND:bell\r\nEND:VALARM\r\n"
      "END:VEVENT\r\nEND:VCALENDAR\r\n";
  const QByteArray text = Unfolded(Write(SampleAppointment("New", 3), foreign));
  for (const char* kept : {"X-OTHER-COLOR:teal", "ATTACH:https://example.org/agenda.pdf",
                           "CLASS:CONFIDENTIAL", "EXDATE:20261216T080000Z", "X-OTHER-SOUND:bell",
                           "TRIGGER:-P1D", "UID:abc", "PRODID:-//Other//EN"}) {
    EXPECT_TRUE(text.contains(kept)) << kept << "\n" << text.toStdString();
  }
  EXPECT_TRUE(text.contains("SUMMARY:New"));
  EXPECT_FALSE(text.contains("SUMMARY:Old"));
  EXPECT_FALSE(text.contains("CATEGORIES:Old"));
  EXPECT_EQ(text.count("BEGIN:VALARM"), 2);  // theirs and Ploven's
  // Written again with the same item: nothing piles up.
  const QByteArray again = Unfolded(Write(SampleAppointment("New", 3), text));
  EXPECT_EQ(again.count("BEGIN:VALARM"), 2);
  EXPECT_EQ(again.count("X-PLOVEN-ID"), 1);
  EXPECT_EQ(ContentHash(again), ContentHash(text)) << "only DTSTAMP, LAST-MODIFIED, SEQUENCE moved";
}

TEST(Mapping, HashIgnoresOnlyTheVolatileProperties) {
  const QByteArray a =
      "BEGIN:VCALENDAR\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:x\r\nEND:VCALENDAR\r\n";
  QByteArray b = a;
  b.replace("20260101", "20270101");
  EXPECT_EQ(ContentHash(a), ContentHash(b));
  QByteArray c = a;
  c.replace("SUMMARY:x", "SUMMARY:y");
  EXPECT_NE(ContentHash(a), ContentHash(c));
}

TEST(Mapping, DoneEventKeepsItsStatusAndUndoneClearsIt) {
  const QByteArray text = Write(SampleAppointment("Call", 2));
  const Parsed<QByteArray> done = WriteDone(text, true, QDate(2026, 12, 9));
  ASSERT_TRUE(done);
  EXPECT_TRUE(ReadEntry(*done.value, kToday).value->fields.done);
  const Parsed<QByteArray> undone = WriteDone(*done.value, false, QDate(2026, 12, 9));
  EXPECT_FALSE(ReadEntry(*undone.value, kToday).value->fields.done);
}

TEST(Mapping, OtherProgramsFilesRead) {
  // A to-do as a terminal to-do manager writes it, an event with a zone as a calendar does.
  const QByteArray todo =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//x//EN\r\nBEGIN:VTODO\r\nUID:t1\r\n"
      "SUMMARY:Water plants\r\nDUE;VALUE=DATE:20261224\r\nPRIORITY:1\r\nDURATION:PT2H\r\n"
      "DTSTART;VALUE=DATE:20261220\r\nCATEGORIES:Home,Errands\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
  const Parsed<CalendarEntry> t = ReadEntry(todo, kToday);
  ASSERT_TRUE(t) << t.error.toStdString();
  EXPECT_TRUE(t.value->todo);
  EXPECT_EQ(t.value->fields.title, "Water plants");
  EXPECT_EQ(t.value->fields.deadlineDate, QDate(2026, 12, 24));
  EXPECT_EQ(t.value->fields.date, QDate(2026, 12, 20));
  EXPECT_EQ(t.value->fields.duration, 120);
  EXPECT_EQ(t.value->fields.importance, "High");
  EXPECT_EQ(t.value->fields.project, "Home");
  EXPECT_EQ(t.value->fields.label, "Errands");

  const QByteArray event =
      "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//x//EN\r\nBEGIN:VEVENT\r\nUID:e1\r\n"
      "SUMMARY:Flight\r\nDTSTART:20261210T060000Z\r\nDTEND:20261210T083000Z\r\n"
      "RRULE:FREQ=WEEKLY;BYDAY=TH;COUNT=3\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
  const Parsed<CalendarEntry> e = ReadEntry(event, kToday);
  ASSERT_TRUE(e) << e.error.toStdString();
  const QDateTime local =
      QDateTime(QDate(2026, 12, 10), QTime(6, 0), QTimeZone::utc()).toLocalTime();
  EXPECT_TRUE(e.value->fields.appointment);
  EXPECT_EQ(e.value->fields.start, local.time().hour() * 60 + local.time().minute());
  EXPECT_EQ(e.value->fields.duration, 150);
  ASSERT_TRUE(e.value->fields.recurrence);
  EXPECT_EQ(e.value->fields.recurrence->frequencyCode, 1);
  EXPECT_EQ(e.value->fields.recurrence->end, QDate(2026, 12, 24));
}

TEST(Mapping, DamagedFilesAreRefused) {
  for (const char* text : {"", "not a calendar", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n",
                           "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:x\r\nEND:VEVENT\r\n"
                           "END:VCALENDAR\r\n"}) {
    EXPECT_FALSE(ReadEntry(text, kToday)) << text;
  }
}

// Local times go with the system's zone by name and its VTIMEZONE.
class InBerlin : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TZ");
    m_old = old ? QByteArray(old) : QByteArray();
    m_had = old != nullptr;
    qputenv("TZ", "Europe/Berlin");
    tzset();
  }
  void TearDown() override {
    if (m_had) {
      qputenv("TZ", m_old);
    } else {
      qunsetenv("TZ");
    }
    tzset();
  }
  QByteArray m_old;
  bool m_had = false;
};

TEST_F(InBerlin, EventsCarryTheZoneAndReadBackAtTheSameWallTime) {
  const ItemFields item = SampleAppointment("Dentist", 4);
  const QByteArray text = Unfolded(Write(item));
  EXPECT_TRUE(text.contains("DTSTART;TZID=Europe/Berlin:20261209T090500")) << text.toStdString();
  EXPECT_TRUE(text.contains("BEGIN:VTIMEZONE\nTZID:Europe/Berlin"));
  EXPECT_TRUE(text.contains("BEGIN:DAYLIGHT"));
  EXPECT_EQ(ReadEntry(text, kToday).value->fields, item);
}

}  // namespace
}  // namespace ploven::calendar::test
