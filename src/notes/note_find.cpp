#include "notes/note_find.h"

#include <algorithm>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include "notes/note_files.h"
#include "notes/note_format.h"
#include "store/schedule.h"

namespace ploven {
namespace {

std::vector<std::string> FoldedWords(std::string_view text) {
  std::vector<std::string> words;
  std::istringstream in{FoldCase(text)};
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

bool HoldsAll(std::string_view folded, const std::vector<std::string>& words,
              std::vector<bool>* found) {
  bool all = true;
  for (size_t i = 0; i < words.size(); ++i) {
    const bool here = ContainsFolded(folded, words[i]);
    if (found) (*found)[i] = (*found)[i] || here;
    all = all && here;
  }
  return all;
}

// The note numbers whose file is in the Notes folder: one listing instead of a look per item.
std::unordered_set<int32_t> NotesOnDisk(NoteFiles& files) {
  std::unordered_set<int32_t> numbers;
  const std::string prefix = files.prefix();
  if (prefix.empty()) return numbers;
  for (const std::string& name : files.fs().ListFiles(files.notesFolder())) {
    if (name.size() != prefix.size() + 9 || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - 4, 4, ".txt") != 0)
      continue;
    int32_t n = 0;
    bool digits = true;
    for (size_t i = prefix.size(); i < prefix.size() + 5; ++i) {
      if (name[i] < '0' || name[i] > '9') digits = false;
      n = n * 10 + (name[i] - '0');
    }
    if (digits) numbers.insert(n);
  }
  return numbers;
}

}  // namespace

std::vector<FindHit> FindItems(Schedule& s, NoteFiles& files, std::string_view text) {
  std::vector<FindHit> hits;
  const std::vector<std::string> words = FoldedWords(text);
  if (words.empty()) return hits;
  const std::unordered_set<int32_t> onDisk = NotesOnDisk(files);
  std::unordered_map<int32_t, std::string> folded;  // note texts already read
  for (const auto& [key, node] : s.actChain()) {
    const Act& a = s.ReadAct(node.act);
    // The chain's key is the lowercased full title.
    std::vector<bool> found(words.size(), false);
    const bool inTitle = HoldsAll(FoldCase(s.GetActTitleFull(node.act)), words, &found);
    bool match = inTitle;
    if (!match && a.noteNumber != 0 && onDisk.contains(a.noteNumber)) {
      auto it = folded.find(a.noteNumber);
      if (it == folded.end())
        it =
            folded.emplace(a.noteNumber, FoldCase(files.ReadNoteQuietly(a.noteNumber).value_or("")))
                .first;
      // Each word in the title or in the note.
      std::vector<bool> inNote(words.size(), false);
      HoldsAll(it->second, words, &inNote);
      match = true;
      for (size_t i = 0; i < words.size(); ++i) match = match && (found[i] || inNote[i]);
    }
    if (!match) continue;
    const bool undated = (a.flags & AF_BETA) || node.date == kUndatedChainDate;
    FindHit hit{node.act, undated ? DayNumber{0} : a.ddate, a.startTime, inTitle};
    // A flexible item has no start of its own: the list shows where it was planned.
    if (TaskNode* task = undated ? nullptr : s.ActTask(node.act)) {
      hit.date = s.GetTaskDate(task);
      hit.start = task->StartTime();
    }
    hits.push_back(hit);
  }
  std::stable_sort(hits.begin(), hits.end(), [](const FindHit& x, const FindHit& y) {
    if (x.date != y.date) return x.date < y.date;
    return x.start < y.start;
  });
  return hits;
}

size_t NextHit(const std::vector<FindHit>& hits, ActHandle from, bool forward) {
  if (hits.empty()) return 0;
  auto at = std::find_if(hits.begin(), hits.end(), [&](const FindHit& h) { return h.act == from; });
  if (at == hits.end()) return forward ? 0 : hits.size() - 1;
  const size_t i = static_cast<size_t>(at - hits.begin());
  return forward ? (i + 1) % hits.size() : (i + hits.size() - 1) % hits.size();
}

}  // namespace ploven
