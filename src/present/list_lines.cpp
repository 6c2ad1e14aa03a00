#include "present/list_lines.h"

#include "engine/priorities.h"
#include "platform/format.h"
#include "present/list_messages.h"
#include "store/calendar.h"
#include "store/schedule.h"

namespace ploven {

namespace m = list_messages;

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

size_t CharacterCount(std::string_view text) {
  size_t n = 0;
  for (char c : text)
    if (!IsContinuationByte(c)) ++n;
  return n;
}

std::string WeekdayText(DayNumber date, const DateText& text) {
  if (date <= 0) return {};
  return WeekdayAbbrev3(Weekday(date), text);
}

// The date the exception replaced, or the first date of a recurring definition; 0 when the
// records do not say.
DayNumber OriginDate(const Schedule& s, ActHandle h, const Act& a) {
  if (a.Has(AF_BETA)) {
    const Beta* beta = s.FindBeta(a.hBeta);
    return beta != nullptr ? beta->startDate : kNoDate;
  }
  const ActHandle definition = a.hBeta;
  if (definition == kNoAct || !s.IsActValid(definition)) return kNoDate;
  const Beta* beta = s.FindBeta(s.ReadAct(definition).hBeta);
  if (beta == nullptr) return kNoDate;
  for (const XEntry& e : beta->xlist)
    if (e.drone == h) return e.date;
  return kNoDate;
}

}  // namespace

std::string PadLeft(std::string_view text, size_t width) {
  const size_t n = CharacterCount(text);
  std::string out;
  if (n < width) out.assign(width - n, ' ');
  out.append(text);
  return out;
}

size_t ByteOffsetOfColumn(std::string_view text, size_t columns) {
  size_t seen = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsContinuationByte(text[i])) continue;
    if (seen == columns) return i;
    ++seen;
  }
  return text.size();
}

std::string ProjectPart(const Schedule& s, uint32_t projectID, bool showProjectName) {
  if (!showProjectName) return {};
  std::string name;
  if (ProjectName(s, projectID, name) == 0) return {};
  return Sprintf(m::kProjectPart, name.c_str());
}

std::string DayOffsetText(int days) {
  if (days < -99) return m::kOffsetLongAgo;
  if (days < 0) return Sprintf(m::kOffsetPast, days);
  if (days > 99) return m::kOffsetFarAhead;
  return Sprintf(m::kOffsetAhead, days);
}

std::string AgeText(int days) {
  return Sprintf("%d%s", days, days == 1 ? m::kDayOld : m::kDaysOld);
}

std::string PriorityText(uint8_t tier, int rank) {
  const std::string name = tier == 0 ? std::string(m::kNoTier) : std::string(1, char(tier));
  return Sprintf(m::kPriority, name.c_str(), rank);
}

std::string AlphabeticalLine(const Schedule& s, ActHandle h, const DateText& text,
                             const ListLineOptions& options) {
  const Act& a = s.ReadAct(h, "Paintlst", __LINE__);
  const std::string project = ProjectPart(s, a.projectID, options.showProjectName);
  const std::string title = s.GetActTitle(h);
  const std::string duration = FormatDuration(a.duration, text);
  if (a.Has(AF_BETA)) {
    return Sprintf(m::kAlphabeticalRecurringLine, PadLeft(m::kRecurringMark, 12).c_str(),
                   project.c_str(), title.c_str(), duration.c_str());
  }
  return Sprintf(m::kAlphabeticalLine, PadLeft(FormatDate(a.ddate, text), 8).c_str(),
                 PadLeft(WeekdayText(a.ddate, text), 3).c_str(), project.c_str(), title.c_str(),
                 duration.c_str());
}

std::string PriorityLine(const Schedule& s, ActHandle h, const DateText& text,
                         const ListLineOptions& options) {
  const Act& a = s.ReadAct(h, "Paintlst", __LINE__);
  const DayNumber today = s.Today();
  const std::string priority = PriorityText(a.tier, s.GetActRank(h));
  // An item without a date keeps the columns with blanks.
  const std::string offset =
      a.ddate > 0 ? DayOffsetText(static_cast<int>(a.ddate) - today) : std::string(3, ' ');
  const char early = today < a.earliestDate ? '.' : ' ';
  const char sequenced = a.Has(AF_SEQUENCED) ? '^' : ' ';
  const std::string project = ProjectPart(s, a.projectID, options.showProjectName);
  const std::string title = options.fullTitles ? s.GetActTitleFull(h) : s.GetActTitle(h);
  const std::string duration = FormatDuration(a.duration, text);
  std::string age;
  const char* ageWords = "";
  if (a.Has(AF_BETA) || a.Has(AF_DRONE)) {
    age = FormatDate(OriginDate(s, h, a), text);
    ageWords = m::kOriginDate;
  } else {
    age = AgeText(static_cast<int>(today) - a.createdDate);
  }
  return Sprintf(m::kPriorityLine, PadLeft(priority, 6).c_str(),
                 PadLeft(FormatDateShort2(a.ddate, text), 5).c_str(),
                 PadLeft(WeekdayText(a.ddate, text), 3).c_str(), offset.c_str(), early, early,
                 early, sequenced, project.c_str(), title.c_str(), duration.c_str(), age.c_str(),
                 ageWords);
}

std::string ProjectsListLine(const Schedule& s, ActHandle project) {
  const Act& a = s.ReadAct(project, "Paintlst", __LINE__);
  return Sprintf(m::kProjectsListLine, "", a.Has(AF_TAGGED) ? '$' : ' ',
                 s.GetActTitle(project).c_str());
}

std::vector<ActHandle> ListEntries(const Schedule& s, ListKind kind) {
  std::vector<ActHandle> out;
  switch (kind) {
    case ListKind::kAlphabetical:
      out.reserve(s.actChain().Count());
      for (const auto& [key, node] : s.actChain()) {
        const Act& a = s.ReadAct(node.act, "Paintlst", __LINE__);
        if (a.Has(AF_DONE) || a.typeFlags == ACT_PROJECT) continue;
        out.push_back(node.act);
      }
      break;
    case ListKind::kPriority:
      out.reserve(s.priorityIndex().Count());
      for (const auto ref : s.priorityIndex()) out.push_back(ref.entry.item);
      break;
    case ListKind::kProjects:
      out.reserve(s.projects().Count());
      for (const auto& [key, node] : s.projects()) out.push_back(node.act);
      break;
  }
  return out;
}

ListLine MakeListLine(const Schedule& s, ListKind kind, ActHandle h, const DateText& text,
                      const ListLineOptions& options) {
  ListLine line;
  line.act = h;
  switch (kind) {
    case ListKind::kAlphabetical:
      line.text = AlphabeticalLine(s, h, text, options);
      break;
    case ListKind::kPriority:
      line.text = PriorityLine(s, h, text, options);
      break;
    case ListKind::kProjects:
      line.text = ProjectsListLine(s, h);
      break;
  }
  const Act& a = s.ReadAct(h, "Paintlst", __LINE__);
  line.overlayFrom = ByteOffsetOfColumn(line.text, kListPlainColumns);
  line.done = a.Has(AF_DONE);
  line.underscored = a.Has(AF_UNDERSCORED);
  line.hasProject = FindProjectByID(s, a.projectID) != kNoAct;
  line.projectColor = ProjectColor(s, a.projectID);
  if (kind == ListKind::kPriority && options.valueOfTime) {
    line.value = FormatExpectedReturn(a.expectedReturn);
    line.returnPerHour = ReturnPerHour(a.expectedReturn, a.duration);
  }
  return line;
}

}  // namespace ploven
