#include "printouts/printout_settings.h"

#include <algorithm>
#include <array>

#include "platform/settings.h"
#include "platform/settings_keys.h"

namespace ploven {

namespace {

// The bits of "MyPrintouts", in the order Print My Printouts makes them.
constexpr std::array<bool MyPrintouts::*, 5> kMyPrintoutBits = {
    &MyPrintouts::dayToday, &MyPrintouts::calendarWeek, &MyPrintouts::calendarMonth,
    &MyPrintouts::priorityFirstPage, &MyPrintouts::underscoredItems};

constexpr std::array<const char*, 4> kPapers = {"A4", "Letter", "Legal", "A5"};

int MyPrintoutsBits(const MyPrintouts& mine) {
  int bits = 0;
  for (size_t i = 0; i < kMyPrintoutBits.size(); ++i)
    if (mine.*kMyPrintoutBits[i]) bits |= 1 << i;
  return bits;
}

}  // namespace

PrintoutSettings PrintoutSettings::Load(const Settings& settings) {
  PrintoutSettings p;
  const int bits = settings.ReadInt(key::kMyPrintouts, EncodedDefault(MyPrintoutsBits(p.mine)));
  if (bits >= 0) {
    for (size_t i = 0; i < kMyPrintoutBits.size(); ++i)
      p.mine.*kMyPrintoutBits[i] = (bits & (1 << i)) != 0;
  }
  p.includePrivateItems = settings.ReadInt(key::kPrintPrivateItems, EncodedDefault(0)) != 0;
  const int days = settings.ReadInt(key::kPrintDaysPerPage, EncodedDefault(p.daysPerPage));
  if (days >= 1 && days <= kMaxDaysPerPage) p.daysPerPage = days;

  const std::string paper = settings.ReadString(key::kPrintPaper, p.paper.paper);
  if (std::find(kPapers.begin(), kPapers.end(), paper) != kPapers.end()) p.paper.paper = paper;
  p.paper.landscape = settings.ReadInt(key::kPrintLandscape, EncodedDefault(0)) != 0;
  if (const auto m = settings.ReadRect(key::kPrintMargins)) {
    const auto fits = [](int v) { return v >= 0 && v <= kMaxMargin; };
    if (fits(m->a) && fits(m->b) && fits(m->c) && fits(m->d)) {
      p.paper.marginLeft = m->a;
      p.paper.marginTop = m->b;
      p.paper.marginRight = m->c;
      p.paper.marginBottom = m->d;
    }
  }
  p.paper.printerName = settings.ReadString(key::kPrinterName);
  p.headingsFont = settings.ReadString(key::kPrinterFontHeadings);
  p.textFont = settings.ReadString(key::kPrinterFontText);
  p.calendarFont = settings.ReadString(key::kPrinterFontCalendar);
  return p;
}

bool PrintoutSettings::Save(Settings& settings) const {
  Settings::Batch batch(settings);
  bool ok = settings.WriteInt(key::kMyPrintouts, MyPrintoutsBits(mine));
  ok = settings.WriteInt(key::kPrintPrivateItems, includePrivateItems ? 1 : 0) && ok;
  ok = settings.WriteInt(key::kPrintDaysPerPage, daysPerPage) && ok;
  ok = settings.WriteString(key::kPrintPaper, paper.paper) && ok;
  ok = settings.WriteInt(key::kPrintLandscape, paper.landscape ? 1 : 0) && ok;
  ok = settings.WriteRect(key::kPrintMargins, SettingsRect{paper.marginLeft, paper.marginTop,
                                                           paper.marginRight, paper.marginBottom}) &&
       ok;
  ok = settings.WriteString(key::kPrinterName, paper.printerName) && ok;
  ok = settings.WriteString(key::kPrinterFontHeadings, headingsFont) && ok;
  ok = settings.WriteString(key::kPrinterFontText, textFont) && ok;
  ok = settings.WriteString(key::kPrinterFontCalendar, calendarFont) && ok;
  return ok;
}

}  // namespace ploven
