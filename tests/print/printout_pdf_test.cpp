#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "pdf_text.h"
#include "print/pdf_printout.h"
#include "printouts/compose_printout.h"
#include "recur/recurrences.h"

namespace ploven::test {
namespace {

// Printouts drawn into PDFs offscreen and read back with poppler's text extractor.
class PrintoutPdfTest : public EngineTest {
 protected:
  static constexpr DayNumber kTomorrow = kToday + 1;

  ActHandle Fluid(const std::string& title, uint8_t tier) {
    Act a;
    a.flags = AF_FLEXIBLE;
    a.typeFlags = ACT_ITEM;
    a.duration = 30;
    a.tier = tier;
    return s.NewItem(kTomorrow, a, title);
  }

  PrintoutDocument Compose(const PrintoutRequest& request) {
    PrintSource source{engine,   &recurrences, options, MakePrintoutFilter(s, filters, {}, includePrivate),
                       "Dana Q", "",           1};
    return ComposePrintout(source, request);
  }

  // The printout as a PDF; its text, page by page through `Page`.
  std::string Render(const std::vector<PrintoutDocument>& documents) {
    const PdfResult r = WritePrintoutsPdf(documents, PrintFonts::From({}), paper, pdf.string());
    EXPECT_TRUE(r.ok) << r.message;
    pages = r.pages;
    EXPECT_EQ(PdfPages(pdf), pages);
    return PdfText(pdf);
  }
  std::string Render(const PrintoutRequest& request) { return Render({Compose(request)}); }
  std::string DayText(DayNumber from, DayNumber to) {
    return Render(PrintoutRequest(PrintoutKind::kDayView, from, to));
  }

  Recurrences recurrences{engine};
  DisplayOptions options;
  FilterState filters;
  PaperSettings paper;
  bool includePrivate = false;
  std::filesystem::path pdf = env.dir / "printout.pdf";
  int pages = 0;
};

TEST_F(PrintoutPdfTest, DaySheetRowsInOrderWithTheirTimes) {
  Fixed("Dentist appointment", kTomorrow, At(9), 60);
  Fixed("Lunch with Sam", kTomorrow, At(12, 30), 90, AF_DONE);
  Fixed("Gym session", kTomorrow, At(17), 45);
  const std::string text = DayText(kTomorrow, kTomorrow);
  EXPECT_EQ(pages, 1);
  // The heading: what, which day, who.
  EXPECT_NE(text.find("Day View"), std::string::npos) << text;
  EXPECT_NE(text.find("Dana Q"), std::string::npos);
  EXPECT_NE(text.find("Page 1 of 1"), std::string::npos);
  // Each row on its line with its time and duration, in the day's order.
  const std::regex rows(
      "9:00a +\\(1:00\\) +Dentist appointment[^\\n]*\\n(.*\\n)*?.*\u2713 +12:30p +\\(1:30\\) +"
      "Lunch with Sam[^\\n]*\\n(.*\\n)*?.* 5:00p +\\(:45\\) +Gym session");
  EXPECT_TRUE(std::regex_search(text, rows)) << text;
}

TEST_F(PrintoutPdfTest, PrivateItemsLeftOutUnlessIncluded) {
  Fixed("!Therapist", kTomorrow, At(9), 60);
  Fixed("Standup", kTomorrow, At(10), 15);
  std::string text = DayText(kTomorrow, kTomorrow);
  EXPECT_EQ(text.find("Therapist"), std::string::npos) << text;
  EXPECT_NE(text.find("Standup"), std::string::npos);
  includePrivate = true;
  text = DayText(kTomorrow, kTomorrow);
  EXPECT_NE(text.find("!Therapist"), std::string::npos) << text;
}

TEST_F(PrintoutPdfTest, TheActiveFilterApplies) {
  Fixed("Budget review", kTomorrow, At(9), 60);
  Fixed("Gym session", kTomorrow, At(17), 45);
  filters.filteringOn = true;
  filters.settings.titleOn = true;
  filters.settings.SetTitleText("budget");
  const std::string text = DayText(kTomorrow, kTomorrow);
  EXPECT_NE(text.find("Budget review"), std::string::npos) << text;
  EXPECT_EQ(text.find("Gym"), std::string::npos);
}

TEST_F(PrintoutPdfTest, PageBreaksNeverCutARow) {
  // Long titles wrap over two lines; each begins and ends with its own word.
  for (int i = 0; i < 60; ++i) {
    std::string title = "Begin" + std::to_string(i);
    for (int w = 0; w < 5; ++w) title += " wrapping words";
    title += " End" + std::to_string(i);
    Fixed(title, kTomorrow, static_cast<TimeOfDay>(At(6) + i * 10), 10);
  }
  Render(PrintoutRequest(PrintoutKind::kDayView, kTomorrow, kTomorrow));
  ASSERT_GT(pages, 1);
  // The rows do wrap: a row's first line does not reach its last word.
  const std::string first = PdfText(pdf, 1);
  const size_t begin = first.find("Begin0 ");
  ASSERT_NE(begin, std::string::npos) << first;
  EXPECT_EQ(first.substr(begin, first.find('\n', begin) - begin).find("End0"), std::string::npos);
  int seen = 0;
  for (int page = 1; page <= pages; ++page) {
    const std::string text = PdfText(pdf, page);
    EXPECT_NE(text.find(page == 1 ? "Wednesday" : "(continued)"), std::string::npos) << text;
    for (int i = 0; i < 60; ++i) {
      const bool begins = text.find("Begin" + std::to_string(i) + " ") != std::string::npos;
      const bool ends = text.find("End" + std::to_string(i) + "\n") != std::string::npos ||
                        text.find("End" + std::to_string(i) + " ") != std::string::npos;
      EXPECT_EQ(begins, ends) << "row " << i << " is cut on page " << page;
      seen += begins;
    }
  }
  EXPECT_EQ(seen, 60);
}

TEST_F(PrintoutPdfTest, TwoHundredItemPriorityViewFillsWholePages) {
  for (int i = 0; i < 200; ++i) Fluid("Task" + std::to_string(1000 + i), 'B');
  const std::string all = Render(PrintoutRequest(PrintoutKind::kPriorityView));
  EXPECT_EQ(CountOf(all, "Task1"), 200u);
  // Rows of one line each: every page but the last holds the same number of rows.
  std::vector<size_t> perPage;
  for (int page = 1; page <= pages; ++page) perPage.push_back(CountOf(PdfText(pdf, page), "Task1"));
  ASSERT_GE(perPage.size(), 2u);
  const size_t full = perPage[0];
  EXPECT_GT(full, 20u);
  for (size_t p = 0; p + 1 < perPage.size(); ++p) EXPECT_EQ(perPage[p], full) << "page " << p + 1;
  EXPECT_EQ(static_cast<size_t>(pages), (200 + full - 1) / full);
  EXPECT_NE(PdfText(pdf, pages).find("Page " + std::to_string(pages) + " of " +
                                     std::to_string(pages)),
            std::string::npos);

  // The first page alone: the same rows as the first page of all.
  PrintoutRequest first(PrintoutKind::kPriorityView);
  first.firstPageOnly = true;
  const std::string one = Render(first);
  EXPECT_EQ(pages, 1);
  EXPECT_EQ(CountOf(one, "Task1"), full);
}

TEST_F(PrintoutPdfTest, LandscapePaperHoldsFewerRows) {
  for (int i = 0; i < 200; ++i) Fluid("Task" + std::to_string(1000 + i), 'B');
  Render(PrintoutRequest(PrintoutKind::kPriorityView));
  const int portrait = pages;
  paper.landscape = true;
  Render(PrintoutRequest(PrintoutKind::kPriorityView));
  EXPECT_GT(pages, portrait);
}

TEST_F(PrintoutPdfTest, CalendarMonthShowsAppointmentsInTheirDays) {
  Fixed("Dentist", kTomorrow, At(9), 60);
  Fixed("Late dinner", kToday + 10, At(20), 60, AF_DONE);
  Fluid("Write report", 'A');
  PrintoutRequest month(PrintoutKind::kCalendar, 17137, 17167);  // December 2026
  month.calendarFormat = CalendarFormat::kMonths;
  const std::string text = Render(month);
  EXPECT_EQ(pages, 1);
  EXPECT_NE(text.find("December 2026"), std::string::npos) << text;
  EXPECT_NE(text.find("9:00a Dentist"), std::string::npos) << text;
  // Done, ticked; a title too long for the cell wraps.
  EXPECT_NE(text.find("\u2713 8:00p Late"), std::string::npos) << text;
  EXPECT_EQ(text.find("Write report"), std::string::npos);
}

TEST_F(PrintoutPdfTest, SeveralPrintoutsInOneJobNumberTheirOwnPages) {
  Fixed("Dentist", kTomorrow, At(9), 60);
  const std::string text = Render({Compose(PrintoutRequest(PrintoutKind::kDayView, kTomorrow, kTomorrow)),
                                   Compose(PrintoutRequest(PrintoutKind::kAlphabeticalView))});
  EXPECT_EQ(pages, 2);
  EXPECT_EQ(CountOf(text, "Page 1 of 1"), 2u) << text;
  EXPECT_NE(text.find("Alphabetical View"), std::string::npos);
}

TEST_F(PrintoutPdfTest, AFileThatCannotBeWrittenIsTold) {
  const PdfResult r = WritePrintoutsPdf({Compose(PrintoutRequest(PrintoutKind::kProjectsList))},
                                        PrintFonts::From({}), paper,
                                        (env.dir / "missing" / "x.pdf").string());
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("missing/x.pdf"), std::string::npos);
}

}  // namespace
}  // namespace ploven::test
