#include "notes/note_format.h"

#include <gtest/gtest.h>

namespace ploven::test {
namespace {

std::vector<uint8_t> Protected(std::span<const uint8_t, kNoteMarkerSize> marker,
                               const std::string& text) {
  std::vector<uint8_t> bytes(marker.begin(), marker.end());
  for (uint8_t b : NoteLengthBytes(text)) bytes.push_back(b);
  for (uint8_t b : ScrambledNoteText(text)) bytes.push_back(b);
  return bytes;
}

struct FormCase {
  const char* name;
  bool olderMarker;
  std::string text;
};

class ProtectedForm : public ::testing::TestWithParam<FormCase> {};

TEST_P(ProtectedForm, ReadsBackTheText) {
  const FormCase c = GetParam();
  const auto bytes = Protected(c.olderMarker ? OlderNoteMarker() : NoteMarker(), c.text);
  const DecodedNote note = DecodeNote(bytes);
  EXPECT_TRUE(note.wasProtected);
  EXPECT_FALSE(note.damaged);
  EXPECT_EQ(note.text, c.text);
  if (!c.text.empty()) {
    // Scrambled: the text does not stand in the file as it is.
    const std::string stored(bytes.begin() + kNoteProtectedHeadSize, bytes.end());
    EXPECT_NE(stored, c.text);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Notes, ProtectedForm,
    ::testing::Values(FormCase{"Marker", false, "Call the bank about the loan"},
                      FormCase{"OlderMarker", true, "Call the bank about the loan"},
                      FormCase{"Empty", false, ""},
                      // Longer than one position cycle of the scrambling, with UTF-8.
                      FormCase{"Long", false, std::string(700, 'x') + " caf\xC3\xA9"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(NoteFormat, PlainFilesAreTheirTextEvenWhenTheyLookAlmostProtected) {
  const std::string plain =
      "\xD8"
      "ENCRYPTED\xD8";  // the marker alone: shorter than 15 bytes
  const std::vector<uint8_t> bytes(plain.begin(), plain.end());
  EXPECT_EQ(DecodeNote(bytes).text, plain);
  EXPECT_FALSE(DecodeNote(bytes).wasProtected);
  const std::string other =
      "\xD8"
      "ENCRYPTEX\xD8"
      "1234 and more";
  EXPECT_EQ(DecodeNote(std::vector<uint8_t>(other.begin(), other.end())).text, other);
}

TEST(NoteFormat, AStoredLengthPastTheEndIsDamagedNotRead) {
  auto bytes = Protected(NoteMarker(), "short");
  bytes[11] = 200;  // claims 200 bytes, holds 5
  const DecodedNote note = DecodeNote(bytes);
  EXPECT_TRUE(note.damaged);
  EXPECT_EQ(note.storedLength, 200u);
  EXPECT_EQ(note.availableLength, 5u);
  EXPECT_TRUE(note.text.empty());
}

TEST(NoteFormat, BytesAfterTheStoredLengthAreIgnored) {
  auto bytes = Protected(NoteMarker(), "kept");
  bytes.push_back('!');
  EXPECT_EQ(DecodeNote(bytes).text, "kept");
}

TEST(NoteFormat, CaseFoldingSearch) {
  EXPECT_TRUE(ContainsFolded(FoldCase("Call The BANK"), FoldCase("bank")));
  EXPECT_FALSE(ContainsFolded(FoldCase("Call The BANK"), FoldCase("banks")));
  EXPECT_TRUE(ContainsFolded("anything", ""));
  // Bytes beyond ASCII are compared as they are.
  EXPECT_TRUE(ContainsFolded(FoldCase("Caf\xC3\xA9 Noir"), FoldCase("CAF\xC3\xA9")));
}

}  // namespace
}  // namespace ploven::test
