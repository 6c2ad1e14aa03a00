#include <algorithm>
#include <array>
#include <unordered_map>
#include <unordered_set>

#include "file/format_messages.h"
#include "file/record_layouts.h"
#include "file/schedule_format.h"
#include "file/unit_io.h"
#include "platform/format.h"
#include "store/date_format.h"
#include "store/projects.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = format_text;
using H = ScheduleHeader;

constexpr size_t kLegacyRecordSize = 53;
constexpr size_t kTreeNodeSize = 28;
// The oldest archive date a schedule can carry; anything below was never set.
constexpr DayNumber kOldestArchiveDate = 4420;

class ScheduleReader {
 public:
  ScheduleReader(Schedule& s, std::span<const uint8_t> bytes, const LoadOptions& options)
      : m_s(s), m_msg(s.messages()), m_in(bytes), m_options(options) {
    // Every item takes at least a record and a task entry.
    const size_t items = bytes.size() / (kActRecordSize + 8);
    m_s.ReserveItems(items);
    m_byKey.reserve(items);
  }

  LoadResult Read() {
    LoadResult result;
    result.ok = ReadAll();
    result.outOfMemory = m_outOfMemory;
    result.formatVersion = m_version;
    result.writtenByOtherVersion = result.ok && m_writtenBy != 7.0f;
    return result;
  }

 private:
  bool Fail(const std::string& text) {
    m_msg.ErrorMessage(text);
    return false;
  }
  bool Short() { return Fail(t::kIncomplete); }
  bool OutOfMemory() {
    m_outOfMemory = true;
    m_msg.ResourceError(t::kModuleLoad, __LINE__);
    return false;
  }
  bool Old() const { return m_version < 25; }

  bool ReadAll() {
    return ReadSignature() && ReadHeader() && ReadTemplate() && ReadLegacy() && ReadUndated() &&
           ReadDefinitions() && ReadProjects() && ReadDays() && ReadPriorityList() && ReadTree() &&
           WrapUp();
  }

  bool ReadSignature() {
    std::array<uint8_t, 4> sig{};
    if (!m_in.Unit(sig)) return Short();
    if (GetLE<int16_t>(sig, 0) != kScheduleMagic) return Fail(t::kNotAScheduleFile);
    const int16_t version = GetLE<int16_t>(sig, 2);
    if (version >= 21 && version <= 26) {
      m_in.SetScrambled(true);
      m_version = version;
    } else if (version == 3 || version == 20) {
      m_version = version;
    } else if (version >= 27 && version <= 99) {
      return Fail(Sprintf(t::kNewerVersionFormat, t::kNewerVersion1, t::kNewerVersion2,
                          t::kNewerVersion3, t::kNewerVersion4));
    } else if (version < 10000) {
      return Fail(t::kIncompatibleFormat);
    } else {
      m_in.SetScrambled(true);
      m_version = 24;
    }
    auto bytes = m_s.header().Bytes();
    std::copy(sig.begin(), sig.end(), bytes.begin());
    return true;
  }

  bool ReadHeader() {
    ScheduleHeader& h = m_s.header();
    if (!m_in.Unit(h.Bytes().subspan(4))) return Short();
    if (m_version == 26 && h.Get<int16_t>(H::kHeaderChecksum) != HeaderChecksum(h.Bytes()))
      return Fail(t::kDatafileInvalid);
    const int16_t headerSize = h.Get<int16_t>(H::kHeaderSize);
    if (headerSize != static_cast<int16_t>(kScheduleHeaderSize) && headerSize != 0)
      return Fail(t::kHeaderSizeMismatch);
    UpgradeHeader(h);
    return true;
  }

  void UpgradeHeader(ScheduleHeader& h) {
    if (const int16_t wrote = h.Get<int16_t>(4); wrote != 0) {
      h.Set<float>(H::kWrittenByVersion, static_cast<float>(wrote) * 0.01f);
      h.Set<int16_t>(4, 0);
    }
    if (const int16_t created = h.Get<int16_t>(6); created != 0) {
      h.Set<float>(H::kCreatedByVersion, static_cast<float>(created) * 0.01f);
      h.Set<int16_t>(6, 0);
    }
    if (m_version <= 23) h.Set<int16_t>(8, 0);
    m_writtenBy = h.Get<float>(H::kWrittenByVersion);
    if (h.Get<float>(H::kCreatedByVersion) == 0) h.Set<float>(H::kCreatedByVersion, 7.0f);
    if (const int16_t v = h.Get<int16_t>(443); (v < 1 || v > 999) && m_writtenBy < 6.31f)
      h.Set<int16_t>(443, 30);
    if (h.earliestTimeOfDay() == 0) h.setEarliestTimeOfDay(kDefaultEarliestTimeOfDay);
    if (h.latestTimeOfDay() == 0) h.setLatestTimeOfDay(kDefaultLatestTimeOfDay);
    if (h.Get<uint8_t>(630) == 0) h.Set<uint8_t>(630, 12);
    if (m_writtenBy < 6.0f) {
      h.setWorkdayStart(kDefaultWorkdayStart);
      h.setWorkdayEnd(kDefaultWorkdayEnd);
    }
    if (m_writtenBy < 4.02f) {
      h.Set<int16_t>(H::kDayRecordSize, static_cast<int16_t>(kTerminalRecordSize));
      h.Set<int16_t>(H::kBetaRecordSize, static_cast<int16_t>(kBetaRecordSize));
    }
    h.setMinSplitMinutes(h.minSplitMinutes());
    m_recordSize = h.Get<uint8_t>(H::kActRecordSize);
    if (m_recordSize == 0) m_recordSize = 27;
  }

  // A count of the header that must not be negative.
  bool Count(size_t offset, bool wide, int64_t& out) {
    out = wide ? m_s.header().Get<int32_t>(offset) : m_s.header().Get<int16_t>(offset);
    if (out < 0) return Fail(t::kDatafileInvalid);
    return true;
  }

  bool ReadRecord(Act& rec, std::string* title) {
    std::array<uint8_t, 255> bytes{};
    if (!m_in.Unit(std::span<uint8_t>(bytes).first(m_recordSize))) return Short();
    rec = DecodeStoredAct(std::span<const uint8_t>(bytes).first(m_recordSize));
    if (title == nullptr) return true;
    const uint32_t length = rec.hActName;
    rec.hActName = 0;
    if (length > kActTitleMax) return Fail(t::kTitleTooLong);
    if (!m_in.Text(length, *title)) return Short();
    return true;
  }

  bool ReadTemplate() {
    Act tmpl;
    if (!ReadRecord(tmpl, nullptr)) return false;
    tmpl.hActName = 0;
    tmpl.pitem = 0;
    m_s.itemDefaults() = tmpl;
    if (m_version < 26) {
      if (tmpl.earliestTime != 0) m_s.header().setEarliestTimeOfDay(tmpl.earliestTime);
      if (tmpl.latestTime != 0) m_s.header().setLatestTimeOfDay(tmpl.latestTime);
    }
    return true;
  }

  bool ReadLegacy() {
    if (m_version < 25) return true;
    int64_t n = 0;
    if (!Count(H::kLegacyCount, false, n)) return false;
    // Their content is not used; they are dropped.
    if (!m_in.Skip(static_cast<size_t>(n) * kLegacyRecordSize)) return Short();
    m_s.header().Set<int16_t>(H::kLegacyCount, 0);
    return true;
  }

  ActHandle Allocate(const Act& rec, const std::string& title) {
    const ActHandle h = m_s.AllocateAct(rec, title);
    if (h == kNoAct) OutOfMemory();
    return h;
  }

  // A flexible item is matched with the priority list by the key it was stored with.
  void NoteFlexible(ActHandle h, uint32_t storedKey) {
    if (!(m_s.ActFlags(h) & AF_FLEXIBLE)) return;
    m_flexible.push_back(h);
    if (OldKeys()) storedKey &= 0xFFFF;
    if (storedKey != 0) m_byKey.emplace(storedKey, h);
  }
  bool OldKeys() const { return m_version < 25 || m_writtenBy < 4.03f; }

  bool ReadUndated() {
    if (Old()) return true;
    int64_t n = 0;
    if (!Count(H::kUndatedCount, false, n)) return false;
    for (int64_t i = 0; i < n; ++i) {
      Act rec;
      std::string title;
      if (!ReadRecord(rec, &title)) return false;
      const uint32_t key = rec.pitem;
      rec.pitem = 0;
      rec.hBeta = 0;
      rec.flags &= ~static_cast<uint32_t>(AF_BETA | AF_DRONE);
      const ActHandle h = Allocate(rec, title);
      if (h == kNoAct) return false;
      m_s.AddToActChain(h, kUndatedChainDate);
      m_undated.push_back(h);
      NoteFlexible(h, key);
    }
    return true;
  }

  bool ReadDefinitions() {
    int64_t n = 0;
    if (!Count(H::kSysBetaActs, false, n)) return false;
    for (int64_t i = 0; i < n; ++i) {
      Act rec;
      std::string title;
      if (!ReadRecord(rec, &title)) return false;
      rec.flags &= ~static_cast<uint32_t>(AF_FLEXIBLE | AF_DRONE);
      rec.pitem = 0;
      if (!rec.Has(AF_BETA)) {
        rec.flags |= AF_BETA;
        m_msg.InformationMessage(t::kHealedBeta);
      }
      std::array<uint8_t, kBetaRecordSize> bytes{};
      if (!m_in.Unit(bytes)) return Short();
      int16_t stored = 0;
      Beta beta = DecodeBeta(bytes, &stored);
      if (beta.xlistHandle == 0 && stored != 0) {
        stored = 0;
        m_msg.InformationMessage(Sprintf(t::kXentriesCorrected, title.c_str()));
      }
      if (stored < 0) return Fail(t::kDatafileInvalid);
      for (int16_t x = 0; x < stored; ++x) {
        int16_t date = 0;
        if (!m_in.Value(date)) return Short();
        // The list is kept in ascending date order; anything else cannot be linked.
        if (!beta.xlist.empty() && date <= beta.xlist.back().date) return Fail(t::kXentryRelink);
        beta.xlist.push_back(XEntry{date, kNoAct});
      }
      const BetaHandle bh = m_s.AllocateBeta(beta);
      if (bh == kNoBeta) return OutOfMemory();
      rec.hBeta = bh;
      const ActHandle h = Allocate(rec, title);
      if (h == kNoAct) {
        m_s.FreeBeta(bh);
        return false;
      }
      m_s.AppendLoadedBeta(h);
      m_s.AddToActChain(h, kUndatedChainDate);
      if (rec.ID != 0) m_definitionByID.emplace(rec.ID, h);
      if (rec.ID == 0 && rec.noteNumber != 0) m_definitionByNote.emplace(rec.noteNumber, h);
      m_definitionByKey.emplace(GetLE<uint16_t>(beta.reserved0, 0), h);
    }
    return true;
  }

  bool ReadProjects() {
    int64_t n = 0;
    if (!Count(H::kProjectCount, false, n)) return false;
    for (int64_t i = 0; i < n; ++i) {
      Act rec;
      std::string title;
      if (!ReadRecord(rec, &title)) return false;
      rec.flags &= ~AF_PROJECT_LOADING;
      rec.pitem = 0;
      rec.hBeta = 0;
      const ActHandle h = Allocate(rec, title);
      if (h == kNoAct) return false;
      InsertProject(m_s, h);
    }
    return true;
  }

  ActHandle DefinitionFor(uint32_t ref) const {
    if (Old()) {
      auto k = m_definitionByKey.find(static_cast<uint16_t>(ref));
      return k == m_definitionByKey.end() ? kNoAct : k->second;
    }
    if (auto d = m_definitionByID.find(ref); d != m_definitionByID.end()) return d->second;
    if (auto d = m_definitionByNote.find(static_cast<int32_t>(ref)); d != m_definitionByNote.end())
      return d->second;
    return kNoAct;
  }

  bool ReadDays() {
    int64_t n = 0;
    if (!Count(H::kDayCount, false, n)) return false;
    const bool lengthsStored = m_version >= 25 && m_writtenBy >= 4.04f;
    DayNumber previous = 0;
    for (int64_t i = 0; i < n; ++i) {
      std::array<uint8_t, kTerminalRecordSize> bytes{};
      if (!m_in.Unit(bytes)) return Short();
      StoredTerminal stored = DecodeTerminal(bytes);
      if (stored.nTasks < 0) return Fail(t::kDatafileInvalid);
      const int date = stored.date + m_options.importDayOffset;
      if (date < -32768 || date > 32767) return Fail(t::kDatafileInvalid);
      // The store would end the program on a day out of order; a damaged file
      // only fails to load.
      if (date > 0 && date <= previous && m_writtenBy >= 3.33f)
        return Fail(Sprintf(t::kDaysOutOfOrder, FormatDateMDY(static_cast<DayNumber>(date)).c_str()));
      Terminal* day = m_s.AppendLoadedTerminal(static_cast<DayNumber>(date), m_writtenBy);
      if (day != nullptr) {
        previous = day->date;
        day->keepDay = stored.keepDay;
        day->reserved10 = stored.reserved10;
        day->holdCount = stored.holdCount;
        day->tflags = stored.tflags;
        day->freeMinutes = stored.freeMinutes;
        day->reserved24 = stored.reserved24;
        day->reserved26 = stored.reserved26;
      }
      TaskNode* last = nullptr;
      for (int16_t k = 0; k < stored.nTasks; ++k)
        if (!ReadTask(day, static_cast<DayNumber>(date), lengthsStored, last)) return false;
    }
    return true;
  }

  // One task entry; `day` is null for a day that was dropped, whose entries
  // are read past.
  bool ReadTask(Terminal* day, DayNumber date, bool lengthsStored, TaskNode*& last) {
    uint32_t ref = 0;
    if (Old()) {
      uint16_t shortRef = 0;
      if (!m_in.Value(shortRef)) return Short();
      ref = shortRef;
    } else if (!m_in.Value(ref)) {
      return Short();
    }
    int16_t start = 0, length = 0;
    if (!m_in.Value(start)) return Short();
    if (lengthsStored && !m_in.Value(length)) return Short();

    ActHandle h = kNoAct;
    if (ref != 0) {
      h = DefinitionFor(ref);
      if (h == kNoAct)
        return Fail(Sprintf(t::kDisconnectedInstance, static_cast<int>(ref),
                            static_cast<int>(m_s.header().nextActID())) +
                    t::kDisconnectedAdvice);
      if (!lengthsStored) length = m_s.GetActDuration(h);
    } else {
      Act rec;
      std::string title;
      if (!ReadRecord(rec, &title)) return false;
      if (day == nullptr) return true;
      if (!lengthsStored) length = rec.duration;
      h = ReadDayItem(rec, title, date);
      if (h == kNoAct) return !m_outOfMemory;
    }
    if (day == nullptr) return true;
    TaskNode* task = m_s.NewTaskNode(h, start, length);
    m_s.LinkTaskAfter(*day, last, task);
    last = task;
    return true;
  }

  ActHandle ReadDayItem(Act& rec, const std::string& title, DayNumber date) {
    if (rec.ddate == 0 || m_version <= 21) rec.ddate = date;
    // Each segment of a split item carries the whole record; they are one item.
    if (rec.Has(AF_SPLIT) && rec.ID != 0 && m_writtenBy != 4.02f) {
      if (auto known = m_splitByID.find(rec.ID); known != m_splitByID.end()) return known->second;
    }
    const uint32_t key = rec.pitem;
    const uint32_t definitionID = rec.hBeta;
    rec.pitem = 0;
    rec.hBeta = 0;
    rec.flags &= ~static_cast<uint32_t>(AF_BETA);
    const ActHandle h = Allocate(rec, title);
    if (h == kNoAct) return kNoAct;
    m_s.AddToActChain(h, date);
    if (rec.Has(AF_SPLIT) && rec.ID != 0) m_splitByID.emplace(rec.ID, h);
    if (rec.Has(AF_DRONE)) AttachDrone(h, definitionID);
    NoteFlexible(h, key);
    return h;
  }

  void AttachDrone(ActHandle drone, uint32_t definitionID) {
    auto d = m_definitionByID.find(definitionID);
    Act& a = m_s.LockAct(drone, t::kModuleLoad, __LINE__);
    if (definitionID == 0 || d == m_definitionByID.end()) {
      a.flags &= ~static_cast<uint32_t>(AF_DRONE);
      m_msg.InformationMessage(t::kDroneCorrected);
      return;
    }
    a.hBeta = d->second;
    m_s.RepXlistEntry(d->second, a.createdDate, drone, true);
  }

  bool ReadPriorityList() {
    std::unordered_set<ActHandle> entered;
    if (m_version >= 22) {
      int dropped = 0;
      for (;;) {
        uint32_t key = 0;
        if (Old()) {
          uint16_t shortKey = 0;
          if (!m_in.Value(shortKey)) return Short();
          key = shortKey;
        } else if (!m_in.Value(key)) {
          return Short();
        }
        if (key == 0) break;
        if (OldKeys()) key &= 0xFFFF;
        auto match = m_byKey.find(key);
        if (match == m_byKey.end() || !entered.insert(match->second).second) {
          ++dropped;
          continue;
        }
        m_s.AddToPriorityIndex(match->second, kEndOfTierRank);
      }
      if (dropped > 0) m_msg.InformationMessage(Sprintf(t::kPriorityTidied, dropped));
    }
    // A flexible item the list does not name still needs its place: the end of its tier.
    for (ActHandle h : m_flexible)
      if (entered.insert(h).second) m_s.AddToPriorityIndex(h, kEndOfTierRank);
    return true;
  }

  bool ReadTree() {
    if (m_version < 25) return true;
    int64_t roots = 0;
    if (!Count(H::kTreeRootCount, true, roots)) return false;
    ProjectTree& tree = m_s.projects().tree();
    tree.Clear();
    struct Level {
      TreeNodeId parent;
      TreeNodeId lastChild;
      uint64_t remaining;
    };
    std::vector<Level> levels{{kNoTreeNode, kNoTreeNode, static_cast<uint64_t>(roots)}};
    bool damaged = false;
    while (!levels.empty()) {
      Level& level = levels.back();
      if (level.remaining == 0) {
        levels.pop_back();
        continue;
      }
      --level.remaining;
      std::array<uint8_t, kTreeNodeSize> bytes{};
      if (!m_in.Unit(bytes)) return Short();
      const bool expanded = GetLE<uint32_t>(bytes, 0) != 0;
      const uint32_t id = GetLE<uint32_t>(bytes, 4);
      const uint32_t children = GetLE<uint32_t>(bytes, 8);
      const ActHandle act = id == 0 ? kNoAct : m_s.FindActOrProjectByID(id);
      TreeNodeId node = kNoTreeNode;
      if (act == kNoAct) damaged = true;
      if (!damaged) {
        node = tree.Insert(act, level.parent, level.lastChild, expanded);
        level.lastChild = node;
      }
      if (children > 0) levels.push_back({node, kNoTreeNode, children});
    }
    if (damaged) HealTree();
    return true;
  }

  void HealTree() {
    if (m_options.noteCorruptLoad) m_options.noteCorruptLoad();
    MultiButtonParams buttons;
    buttons.customCaptions = t::kTreeDamagedButtons;
    const int answer = m_msg.MultiButtonBox(t::kTreeDamaged, t::kTreeDamagedCaption, 0, buttons);
    if (answer != kIdCustom1) m_msg.InternalError(t::kCorruptFile, t::kModuleLoad, __LINE__);
    RebuildProjectTree(m_s);
    m_healed = true;
    m_msg.InformationMessage(t::kTreeRebuilt);
  }

  bool WrapUp() {
    ScheduleHeader& h = m_s.header();
    // Never archive today or a day to come, whatever the first stored day is.
    if (h.lastArchivedDate() < kOldestArchiveDate && !m_s.terminals().empty())
      h.setLastArchivedDate(static_cast<DayNumber>(
          std::min<int>(m_s.terminals().begin()->first, m_s.Today()) - 1));
    if (m_writtenBy < 2.77f)
      for (ActHandle u : m_undated)
        if (m_s.ReadAct(u).ID == 0) m_s.NewNoteNumber(u);
    for (ActHandle d : m_s.betaChain()) m_s.DropUnplacedDrones(d);
    if (m_version < 26) RenumberMissingIDs();
    // The counter must stay above every ID in the file, or new items would share one.
    uint32_t highest = h.nextActID();
    for (const auto& [key, node] : m_s.actChain())
      highest = std::max(highest, m_s.ReadAct(node.act).ID);
    for (const auto& [key, node] : m_s.projects()) highest = std::max(highest, node.id);
    if (highest != h.nextActID()) {
      h.setNextActID(highest);
      m_healed = true;
    }
    if (m_healed)
      m_s.MarkChanged();
    else
      m_s.ClearChanged();
    return true;
  }

  void RenumberMissingIDs() {
    std::unordered_set<uint32_t> seen;
    std::vector<ActHandle> renumber;
    for (const auto& [key, node] : m_s.actChain()) {
      const uint32_t id = m_s.ReadAct(node.act).ID;
      if (id == 0 || !seen.insert(id).second) renumber.push_back(node.act);
    }
    for (ActHandle a : renumber) {
      m_s.NewActID(a);
      m_healed = true;
    }
  }

  Schedule& m_s;
  Messages& m_msg;
  UnitReader m_in;
  LoadOptions m_options;
  int16_t m_version = 0;
  float m_writtenBy = 0;
  size_t m_recordSize = kActRecordSize;
  bool m_outOfMemory = false;
  bool m_healed = false;
  std::vector<ActHandle> m_undated;
  std::vector<ActHandle> m_flexible;
  std::unordered_map<uint32_t, ActHandle> m_byKey;
  std::unordered_map<uint32_t, ActHandle> m_definitionByID;
  std::unordered_map<int32_t, ActHandle> m_definitionByNote;
  std::unordered_map<uint16_t, ActHandle> m_definitionByKey;
  std::unordered_map<uint32_t, ActHandle> m_splitByID;
};

}  // namespace

LoadResult LoadSchedule(Schedule& empty, std::span<const uint8_t> bytes, const LoadOptions& options) {
  return ScheduleReader(empty, bytes, options).Read();
}

}  // namespace ploven
