#include "bridge/item_sync.h"

namespace ploven {

SendResult SendNewItemToCalendar(BridgeSenders& senders, Schedule& s, const Occurrence& o,
                                 const RecordContext& context) {
  if (!senders.Allowed(true)) return SendResult::kSkipped;
  const std::optional<BridgeRecord> record = NewItemRecord(s, o, context);
  if (!record) return SendResult::kSkipped;
  return senders.SendNewItem(*record, {s.GetActID(o.item), o.date});
}

SendResult SendChangedItemToCalendar(BridgeSenders& senders, Schedule& s, std::string_view oldTitle,
                                     const Occurrence& o, const RecordContext& context) {
  if (!senders.Allowed(false)) return SendResult::kSkipped;
  const std::optional<BridgeRecord> record = ChangedItemRecord(s, oldTitle, o, context);
  if (!record) {
    senders.TellNoChangedItemRecord();
    return SendResult::kFailed;
  }
  return senders.SendChangedItem(*record, {s.GetActID(o.item), o.date});
}

SendResult SendDeletedItemToCalendar(BridgeSenders& senders, Schedule& s, ActHandle item,
                                     DayNumber occurrenceDate) {
  if (!senders.Allowed(false)) return SendResult::kSkipped;
  const std::optional<BridgeRecord> record =
      DeletedItemRecord(s.ReadAct(item), s.GetActNameFull(item));
  if (!record) return SendResult::kSkipped;
  return senders.SendDeletedItem(*record, {s.GetActID(item), occurrenceDate});
}

SendResult SendDoneItemToCalendar(BridgeSenders& senders, Schedule& s, ActHandle item,
                                  DayNumber occurrenceDate, bool done) {
  if (!senders.Allowed(false)) return SendResult::kSkipped;
  return senders.SendDoneItem(DoneItemRecord(s.ReadAct(item), s.GetActNameFull(item), done),
                              {s.GetActID(item), occurrenceDate});
}

}  // namespace ploven
