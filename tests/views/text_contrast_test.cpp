#include <gtest/gtest.h>

#include "present/colour_contrast.h"
#include "views/view_style.h"

namespace ploven {
namespace {

// Every text colour the views paint with, against every background text is drawn on, with the
// default colours: each pair must reach 4.5:1.
struct Ink {
  const char* name;
  QColor colour;
};

std::vector<Ink> PaintedInks(const ViewStyle& st) {
  return {
      {"item text", st.text},
      {"flexible item", st.fluid},
      {"item without a time", st.unscheduled},
      {"done item", st.done},
      {"conflict, late, marker", st.warning},
      {"work holiday heading", st.workHoliday},
      {"inactive heading", st.Readable(InactiveHeading(st.text))},
      {"duration and project", st.Soft(st.text)},
      {"flexible item's duration", st.Soft(st.fluid)},
      {"done item's duration", st.Soft(st.done)},
      {"free time", st.Soft(st.text, 160)},
      {"past gap", st.Soft(st.text, 110)},
  };
}

TEST(TextContrast, EveryPaintedTextReadsOnEveryBackgroundWithTheDefaultColours) {
  const ViewStyle st = ViewStyle::From(DisplayOptions{});
  for (const Ink& ink : PaintedInks(st)) {
    for (uint32_t back : st.TextBackgrounds()) {
      const double ratio = ContrastRatio(ViewStyle::RefOf(ink.colour), back);
      EXPECT_GE(ratio, kReadableContrast)
          << ink.name << " " << ink.colour.name().toStdString() << " on "
          << ColorFromRef(back).name().toStdString() << ": " << ratio;
    }
  }
}

TEST(TextContrast, TheDefaultsThatDidNotReadAreDeepenedAndTheOthersKept) {
  const DisplayOptions defaults;
  const ViewStyle st = ViewStyle::From(defaults);
  // The blue text reads as set; the orange of done items did not (about 1.9:1) and is deepened.
  EXPECT_EQ(st.text, ColorFromRef(defaults.colorNormalText));
  EXPECT_NE(st.done, ColorFromRef(defaults.colorDone));
  EXPECT_LT(ContrastRatio(defaults.colorDone, defaults.colorNormalBackground), 2.0);
}

TEST(TextContrast, ColoursAUserChoseStayReadableToo) {
  DisplayOptions o;
  o.colorNormalBackground = ColourRef(30, 30, 40);  // a dark day
  o.colorNormalText = ColourRef(60, 60, 200);
  const ViewStyle st = ViewStyle::From(o);
  EXPECT_GE(ContrastRatio(ViewStyle::RefOf(st.text), o.colorNormalBackground), kReadableContrast);
}

}  // namespace
}  // namespace ploven
