#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <optional>

#include "plugin/record_fields.h"

namespace ploven::calendar {

// What RFC 5545 can say of a rule, with the first day it occurs on.
struct RuleText {
  QByteArray rrule;  // "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,WE", without UNTIL
  QDate first;       // the first qualifying day on or after the Start Date
};

// The RRULE for the rules a calendar repeats the same way Ploven does: daily, weekly (weeks
// counted from the Start Date), monthly on dates or on weekdays of the month, yearly. Nothing
// for rules it cannot say (dates 29 and 30 standing in for the last day of shorter months, a
// month interval counted from the middle of a month, periods of the 4-4-5 calendar).
std::optional<RuleText> RRuleOf(const RecurrenceRule& rule);

// The days the rule occurs on from `from` to `to` (both included); nothing when the companion
// cannot tell them from the record alone (periods of the 4-4-5 calendar depend on the user's
// week settings, which the record does not carry).
std::optional<QList<QDate>> RuleDates(const RecurrenceRule& rule, const QDate& from,
                                      const QDate& to);

// A rule read back from an RRULE another program wrote: the record's terms, or nothing when the
// rule has parts Ploven's rules cannot hold.
std::optional<RecurrenceRule> RuleFromRRule(const QByteArray& rrule, const QDate& dtstart,
                                            const QDate& until);

}  // namespace ploven::calendar
