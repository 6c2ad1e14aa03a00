// Every seed of the note loader's fuzz corpus goes through the loading of a note window: it
// loads, or it is refused with a message and left as it was.
#include <algorithm>
#include <fstream>
#include <iterator>

#include "notes/note_format.h"
#include "notes/notes_fixture.h"

namespace ploven::test {
namespace {

const std::filesystem::path kCorpus =
    std::filesystem::path(PLOVEN_TEST_DATA) / ".." / ".." / "fuzz" / "notes_corpus";

class NoteFuzzCorpusTest : public NotesTest {};

TEST_F(NoteFuzzCorpusTest, EverySeedLoadsOrIsRefusedWithAMessage) {
  std::vector<std::filesystem::path> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus))
    if (entry.is_regular_file()) seeds.push_back(entry.path());
  std::sort(seeds.begin(), seeds.end());
  ASSERT_GE(seeds.size(), 5u) << "no corpus at " << kCorpus;
  int loaded = 0, protectedOnes = 0;
  int32_t number = 1;
  for (const auto& seed : seeds) {
    SCOPED_TRACE(seed.filename().string());
    std::ifstream in(seed, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    PutFile(NotePath(number), bytes);
    env.ui.boxes.clear();
    const std::optional<std::string> text = files.LoadNote(number);
    const DecodedNote decoded = DecodeNote(bytes);
    if (text) {
      ++loaded;
      EXPECT_TRUE(env.ui.boxes.empty());
      EXPECT_EQ(*text, decoded.text);
      protectedOnes += decoded.wasProtected ? 1 : 0;
    } else {
      EXPECT_EQ(env.ui.boxes.size(), 1u);
      EXPECT_EQ(FileBytes(NotePath(number)), bytes);
    }
    ++number;
  }
  EXPECT_GE(loaded, 5);
  EXPECT_GE(protectedOnes, 3);
}

}  // namespace
}  // namespace ploven::test
