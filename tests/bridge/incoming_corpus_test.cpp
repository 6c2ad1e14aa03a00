// The seeds of the incoming-record fuzz target, replayed: each reads as the record it is, and
// every shorter cut of it reads or is refused with a reason, never anything in between.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "bridge/incoming_record.h"

namespace ploven::test {
namespace {

const std::filesystem::path kCorpus =
    std::filesystem::path(PLOVEN_TEST_DATA) / ".." / ".." / "fuzz" / "bridge_corpus";

TEST(IncomingCorpusTest, EverySeedReadsAndEveryCutOfItReadsOrIsRefused) {
  std::vector<std::filesystem::path> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus))
    if (entry.is_regular_file()) seeds.push_back(entry.path());
  std::sort(seeds.begin(), seeds.end());
  ASSERT_GE(seeds.size(), 2u) << "no corpus at " << kCorpus;
  for (const auto& seed : seeds) {
    SCOPED_TRACE(seed.filename().string());
    std::ifstream in(seed, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_FALSE(bytes.empty());
    // The first byte chooses the form and the clock, as the fuzz target reads it.
    const BridgeCode code = (bytes[0] & 1) != 0 ? BridgeCode::kAppointment : BridgeCode::kTask;
    DateText text;
    text.regional.iTime = (bytes[0] & 2) != 0 ? 1 : 0;
    const std::string_view record = std::string_view(bytes).substr(1);
    const IncomingParse whole = ParseIncomingRecord(code, record, text);
    ASSERT_TRUE(whole.item) << whole.refusal;
    EXPECT_FALSE(whole.item->title.empty());
    for (size_t n = 0; n < record.size(); ++n) {
      const IncomingParse cut = ParseIncomingRecord(code, record.substr(0, n), text);
      EXPECT_TRUE(cut.item.has_value() != !cut.refusal.empty()) << "cut at " << n;
    }
  }
}

}  // namespace
}  // namespace ploven::test
