#include "platform/man_page.h"

#include <gtest/gtest.h>

namespace ploven {
namespace {

TEST(ManPage, TextIsEscapedSoRoffShowsItAsWritten) {
  ManPage page;
  page.name = "tool";
  page.version = "1.2";
  page.summary = "does things";
  page.synopsis = {"--help"};
  page.sections = {{"Description",
                    "A path C:\\dir and an option --json.\n"
                    ".starts with a dot\n"
                    "\n"
                    "  --all     kept as written\n"
                    "  --json    too\n"
                    "Back to text."}};
  const std::string roff = RenderManPage(page);
  EXPECT_EQ(roff.rfind(".TH TOOL 1 \"\" \"Ploven 1.2\"", 0), 0u) << roff;
  EXPECT_NE(roff.find(".SH NAME\ntool \\- does things\n"), std::string::npos) << roff;
  EXPECT_NE(roff.find(".B tool\n\\-\\-help\n"), std::string::npos) << roff;
  EXPECT_NE(roff.find("C:\\edir and an option \\-\\-json."), std::string::npos) << roff;
  // A line that starts with a dot would be read as a request and vanish.
  EXPECT_NE(roff.find("\n\\&.starts with a dot\n"), std::string::npos) << roff;
  // Indented lines are shown unfilled, and filling resumes after them.
  EXPECT_NE(roff.find(".PP\n.nf\n  \\-\\-all     kept as written\n  \\-\\-json    too\n.fi\nBack"),
            std::string::npos)
      << roff;
}

}  // namespace
}  // namespace ploven
