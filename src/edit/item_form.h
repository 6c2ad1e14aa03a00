#pragma once

#include <cstdint>

#include "edit/item_dialog_kind.h"
#include "edit/item_edit.h"

namespace ploven {

// The fields each form of the item dialog carries.
struct ItemFormFields {
  bool setFlexible = false;  // the Set Date / Flexible Date choice
  bool endDate = false;      // the multi-day event's range end (the deadline date)
  bool earliestDeadline = false;
  bool startTime = false;
  bool duration = false;
  bool splittable = false;
  bool fluid = false;  // the fluid time of day, work hours and after hours
  bool days = false;   // the weekdays it may fall on
  bool hide = false;
  bool tier = false;
  bool rank = false;
  bool expectedReturn = false;
  bool prereq = false;
  bool recurring = false;
  bool instances = false;  // Modify every instance / one only, stepping, Delete this instance
  bool cloneOnDone = false;
  bool project = false;
  bool label = false;
  bool jobNumber = false;
  bool underscored = false;
  bool hope = false;  // Memo Hold
  bool alarm = false;
  bool note = false;
  bool firstYear = false;
  bool reminderDays = false;
  bool amount = false;

  // `typeFlags`: the kind of the item the form shows.
  static ItemFormFields For(ItemTemplate form, uint16_t typeFlags);
};

// Which of the carried fields take input, as the working copy stands now.
struct ItemFieldStates {
  bool dateWindow = false;      // Earliest Begin and Deadline: only a flexible date has them
  bool fluidTime = false;       // the fluid time of day: only without a Set Start Time
  bool flexibleOnly = false;    // weekdays, Hide, tier, rank, prerequisites
  bool splittable = false;      // recurring items are never split (unless split already)
  bool instanceChoice = false;  // Modify every instance / one only: an instance is edited
  bool stepping = false;        // Prior / Next: one instance, with recurring items at hand
  bool deleteInstance = false;

  // `recurrencesAvailable`: the dialog can reach the recurring items (it steps instances and
  // deletes one through them).
  static ItemFieldStates Of(const ItemEditSession& session, bool recurrencesAvailable);
};

}  // namespace ploven
