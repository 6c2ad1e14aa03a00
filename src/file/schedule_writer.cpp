#include <array>
#include <unordered_map>
#include <unordered_set>

#include "file/format_messages.h"
#include "file/record_layouts.h"
#include "file/schedule_format.h"
#include "file/unit_io.h"
#include "platform/format.h"
#include "store/date_format.h"
#include "store/schedule.h"

namespace ploven {
namespace {

namespace t = format_text;

constexpr float kThisProgramVersion = 7.0f;

class ScheduleWriter {
 public:
  ScheduleWriter(Schedule& s, const SaveOptions& options)
      : m_s(s),
        m_options(options),
        m_version(options.formatVersion),
        m_recordSize(ActRecordSizeFor(options.formatVersion)),
        m_out(options.formatVersion >= kOldestScrambledFormat) {}

  std::optional<std::vector<uint8_t>> Write() {
    if (!CheckBackLevel()) return std::nullopt;
    GiveDefinitionsUniqueIDs();
    NumberPriorityKeys();
    ScheduleHeader header = PrepareHeader();
    // Room for every record and a short title, so the buffer rarely moves.
    const size_t records = m_s.actChain().Count() + m_s.projects().Count() + 1;
    m_out.Reserve(kScheduleHeaderSize + records * (m_recordSize + 40) +
                  static_cast<size_t>(m_s.CountAllTerminals()) * kTerminalRecordSize);

    m_out.Plain(header.Bytes().first(4));
    m_out.Unit(header.Bytes().subspan(4));
    WriteTemplate(header);
    if (m_version >= 25) WriteUndated();
    WriteDefinitions();
    if (m_version >= 24) WriteProjects();
    WriteDays();
    if (m_version >= 22) WritePriorityList();
    if (m_version >= 25) WriteTree();

    // The copy in memory learns the save's stamps; a support copy or an old
    // format leaves it as it was.
    if (m_version == kCurrentFormatVersion && !m_options.scrambleTitlesKey) m_s.header() = header;
    return std::move(m_out.bytes());
  }

 private:
  bool Old() const { return m_version < 25; }

  bool CheckBackLevel() {
    if (m_version >= 25) return true;
    for (const auto& [key, node] : m_s.actChain()) {
      if (m_s.ActFlags(node.act) & AF_SPLIT) {
        m_s.messages().ErrorMessage(std::string(t::kSplitBackLevel) + "\n\n" +
                                    m_s.GetActTitle(node.act));
        return false;
      }
    }
    return true;
  }

  // The file names each recurring item by its ID, so no two may share one.
  void GiveDefinitionsUniqueIDs() {
    std::unordered_set<uint32_t> seen;
    for (ActHandle d : m_s.betaChain()) {
      uint32_t id = m_s.GetActID(d);
      if (!seen.insert(id).second) {
        m_s.messages().LogLine(
            Sprintf(t::kDuplicateBetaID, id, m_s.GetActTitle(d).c_str()));
        id = m_s.NewActID(d);
        seen.insert(id);
        m_s.MarkChanged();
      }
      m_betaKey[d] = static_cast<uint32_t>(m_betaKey.size() + 1);
    }
  }

  void NumberPriorityKeys() {
    m_keyOf.reserve(m_s.priorityIndex().Count());
    uint32_t key = 0;
    for (auto ref : m_s.priorityIndex()) m_keyOf[ref.entry.item] = Old() ? (++key & 0xFFFF) : ++key;
  }

  ScheduleHeader PrepareHeader() {
    ScheduleHeader h = m_s.header();
    using H = ScheduleHeader;
    h.Set<int16_t>(H::kMagic, kScheduleMagic);
    if (h.Get<float>(H::kCreatedByVersion) == 0) h.Set<float>(H::kCreatedByVersion, kThisProgramVersion);
    h.Set<float>(H::kWrittenByVersion, kThisProgramVersion);
    if (h.Get<int16_t>(H::kScheduleStartDate) == 0)
      h.Set<int16_t>(H::kScheduleStartDate, m_s.Today());
    h.Set<int16_t>(H::kLastSaveDate, m_s.Today());
    h.Set<int16_t>(H::kLastSaveTime, m_s.Now());
    h.Set<int16_t>(H::kDayCount, static_cast<int16_t>(m_s.CountTerminals()));
    h.Set<int16_t>(H::kSysBetaActs, static_cast<int16_t>(m_s.betaChain().size()));
    const ProjectTree& tree = m_s.projects().tree();
    h.Set<int32_t>(H::kTreeNodeCount, static_cast<int32_t>(tree.Count()));
    h.Set<int32_t>(H::kTreeRootCount, static_cast<int32_t>(tree.RootCount()));
    h.Set<int16_t>(H::kProjectCount, static_cast<int16_t>(m_s.projects().Count()));
    int16_t undated = 0;
    for (const auto& [key, node] : m_s.actChain())
      if (IsUndated(node.act)) ++undated;
    h.Set<int16_t>(H::kUndatedCount, undated);
    // Older formats have no room for these sections; their counts say so.
    if (Old()) {
      h.Set<int16_t>(H::kUndatedCount, 0);
      h.Set<int32_t>(H::kTreeNodeCount, 0);
      h.Set<int32_t>(H::kTreeRootCount, 0);
    }
    if (m_version < 24) h.Set<int16_t>(H::kProjectCount, 0);
    // The legacy records are read and dropped, so none are ever written.
    h.Set<int16_t>(H::kLegacyCount, 0);
    h.Set<int16_t>(H::kFormatVersion, m_version);
    h.Set<uint8_t>(H::kActRecordSize, static_cast<uint8_t>(m_recordSize));
    h.Set<int16_t>(H::kDayRecordSize, static_cast<int16_t>(kTerminalRecordSize));
    h.Set<int16_t>(H::kBetaRecordSize, static_cast<int16_t>(kBetaRecordSize));
    h.Set<int16_t>(H::kHeaderSize, static_cast<int16_t>(kScheduleHeaderSize));
    h.Set<int16_t>(H::kHeaderChecksum, 0);
    h.Set<int16_t>(H::kHeaderChecksum, HeaderChecksum(h.Bytes()));
    return h;
  }

  bool IsUndated(ActHandle h) const {
    const Act& a = m_s.ReadAct(h);
    return a.ddate == 0 && !a.Has(AF_BETA);
  }

  void Record(Act copy, std::optional<std::string_view> title) {
    std::string scrambled;
    if (title && m_options.scrambleTitlesKey) {
      scrambled = ScrambleTitle(*title, *m_options.scrambleTitlesKey);
      title = scrambled;
    }
    copy.hActName = title ? static_cast<uint32_t>(title->size()) : 0;
    std::array<uint8_t, kActRecordSize> bytes{};
    EncodeStoredAct(copy, std::span<uint8_t>(bytes).first(m_recordSize));
    m_out.Unit(std::span<const uint8_t>(bytes).first(m_recordSize));
    if (title) m_out.Unit(*title);
  }

  // The stored form of an item: its priority key, its definition's ID.
  Act StoredItem(ActHandle h) {
    Act a = m_s.ReadAct(h, t::kModuleSave, __LINE__);
    if (m_version < 22) a.flags &= ~static_cast<uint32_t>(AF_FLEXIBLE);
    auto key = m_keyOf.find(h);
    a.pitem = (a.Has(AF_FLEXIBLE) && key != m_keyOf.end()) ? key->second : 0;
    if (a.Has(AF_BETA)) {
      a.hBeta = 0;
    } else if (a.Has(AF_DRONE)) {
      const ActHandle definition = a.hBeta;
      const uint32_t id = m_s.IsActValid(definition) ? m_s.ReadAct(definition).ID : 0;
      if (id == 0) m_s.messages().InternalError(t::kZeroBetaID, t::kModuleSave, __LINE__);
      a.hBeta = id;
    }
    return a;
  }

  void WriteTemplate(const ScheduleHeader& header) {
    Act tmpl = m_s.itemDefaults();
    if (m_version <= 25) {
      tmpl.earliestTime = header.earliestTimeOfDay();
      tmpl.latestTime = header.latestTimeOfDay();
    }
    Record(tmpl, std::nullopt);
  }

  void WriteUndated() {
    for (const auto& [key, node] : m_s.actChain())
      if (IsUndated(node.act)) Record(StoredItem(node.act), m_s.GetActNameFull(node.act));
  }

  void WriteDefinitions() {
    for (ActHandle d : m_s.betaChain()) {
      Record(StoredItem(d), m_s.GetActNameFull(d));
      Beta beta = m_s.LockBeta(m_s.ReadAct(d).hBeta);
      // The head of the exception list only says whether there is one.
      beta.xlistHandle = beta.xlist.empty() ? 0 : 1;
      if (Old()) PutLE<uint16_t>(beta.reserved0, 0, static_cast<uint16_t>(m_betaKey[d]));
      std::array<uint8_t, kBetaRecordSize> bytes{};
      EncodeBeta(beta, bytes);
      m_out.Unit(bytes);
      for (const XEntry& e : beta.xlist) m_out.Value<int16_t>(e.date);
    }
  }

  void WriteProjects() {
    for (const auto& [key, node] : m_s.projects())
      Record(StoredItem(node.act), m_s.GetActNameFull(node.act));
  }

  void WriteDays() {
    const ScheduleHeader& header = m_s.header();
    for (const auto& [date, day] : m_s.terminals()) {
      if (header.IsArchived(date)) continue;
      AuditTaskCount(*day);
      std::array<uint8_t, kTerminalRecordSize> bytes{};
      EncodeTerminal(*day, bytes);
      m_out.Unit(bytes);
      for (TaskNode* task = day->First(); task != nullptr; task = task->Next()) WriteTask(*task);
    }
  }

  void AuditTaskCount(const Terminal& day) {
    int counted = 0;
    for (TaskNode* task = day.First(); task != nullptr; task = task->Next()) ++counted;
    if (counted == day.nTasks) return;
    const std::string date = FormatDateMDY(day.date);
    if (counted < day.nTasks) {
      m_s.messages().OpenHelpTopic(t::kCorruptHelpTopic);
      m_s.messages().InternalError(
          Sprintf(t::kFewerTasks, date.c_str(), day.nTasks - counted, counted), t::kModuleSave,
          __LINE__);
    }
    m_s.messages().InternalError(Sprintf(t::kMoreTasks, date.c_str(), day.nTasks), t::kModuleSave,
                                 __LINE__);
  }

  void WriteTask(const TaskNode& task) {
    const bool clone = (m_s.ActFlags(task.act) & AF_BETA) != 0;
    uint32_t ref = 0;
    if (clone) {
      ref = Old() ? m_betaKey[task.act] : m_s.ReadAct(task.act).ID;
      if (ref == 0) m_s.messages().InternalError(t::kZeroBetaIDTask, t::kModuleSave, __LINE__);
    }
    if (Old()) {
      m_out.Value<uint16_t>(static_cast<uint16_t>(ref));
      m_out.Value<int16_t>(task.start);
    } else {
      m_out.Value<uint32_t>(ref);
      m_out.Value<int16_t>(task.start);
      m_out.Value<int16_t>(task.length);
    }
    if (!clone) Record(StoredItem(task.act), m_s.GetActNameFull(task.act));
  }

  void WritePriorityList() {
    for (auto ref : m_s.priorityIndex()) {
      const ActHandle h = ref.entry.item;
      if (!m_s.IsActValid(h) || !(m_s.ActFlags(h) & AF_FLEXIBLE))
        m_s.messages().InternalError(t::kChainIntegrity, t::kModuleSave, __LINE__);
      if (Old())
        m_out.Value<uint16_t>(static_cast<uint16_t>(m_keyOf[h]));
      else
        m_out.Value<uint32_t>(m_keyOf[h]);
    }
    if (Old())
      m_out.Value<uint16_t>(0);
    else
      m_out.Value<uint32_t>(0);
  }

  void WriteTree() {
    const ProjectTree& tree = m_s.projects().tree();
    // Depth first without recursion: a user may nest items deeply.
    std::vector<TreeNodeId> pending;
    for (TreeNodeId id = tree.LastChild(kNoTreeNode); id != kNoTreeNode; id = tree.Find(id)->prev)
      pending.push_back(id);
    while (!pending.empty()) {
      const TreeNodeId id = pending.back();
      pending.pop_back();
      const ProjectTreeNode& node = *tree.Find(id);
      uint32_t children = 0;
      for (TreeNodeId c = node.firstChild; c != kNoTreeNode; c = tree.Find(c)->next) ++children;
      std::array<uint8_t, 28> bytes{};
      PutLE<uint32_t>(bytes, 0, node.expanded ? 1 : 0);
      PutLE<uint32_t>(bytes, 4, m_s.IsActValid(node.act) ? m_s.ReadAct(node.act).ID : 0);
      PutLE<uint32_t>(bytes, 8, children);
      m_out.Unit(bytes);
      for (TreeNodeId c = tree.LastChild(id); c != kNoTreeNode; c = tree.Find(c)->prev)
        pending.push_back(c);
    }
  }

  Schedule& m_s;
  SaveOptions m_options;
  int16_t m_version;
  size_t m_recordSize;
  UnitWriter m_out;
  std::unordered_map<ActHandle, uint32_t> m_keyOf;
  std::unordered_map<ActHandle, uint32_t> m_betaKey;
};

}  // namespace

std::optional<std::vector<uint8_t>> SaveSchedule(Schedule& s, const SaveOptions& options) {
  if (options.formatVersion < kOldestScrambledFormat ||
      options.formatVersion > kCurrentFormatVersion)
    return std::nullopt;
  return ScheduleWriter(s, options).Write();
}

}  // namespace ploven
