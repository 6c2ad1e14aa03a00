#pragma once

// Texts of the priority index and the value of time, word for word.
namespace ploven::priority_text {

inline constexpr const char* kModulePriority = "Priority";

// String-table text 422.
inline constexpr const char* kFlexibleOnArchivedDate =
    "You cannot have a flexible date item on a past date where all items were at one point done. "
    "(We know that may sound a bit random: it has do to with how we store data.) So, instead, the "
    "item has been inserted with a Set Date.";

// Tier letter, rank + 1, tier letter, rank, full title, tier letter, rank.
inline constexpr const char* kSequencedToRemoved =
    "The item that had Priority %c%i (and now has Priority %c%i), titled:\n\n%s\n\n...was "
    "Sequenced to the item just altered. Therefore, click the button in this window to make the "
    "item now %c%i no longer sequenced.";
inline constexpr const char* kSequencedToRemovedCaption = "Another item was Sequenced to this item";
inline constexpr const char* kUnsequenceButton = "&Unsequence It";

inline constexpr const char* kExpectedReturnsWarning =
    "Activating the Expected Returns feature invokes powerful advanced functionality which, "
    "amongst other things, automatically sets Ranks based upon Expected Return/Hour for items "
    "whose Tier is set to A, periodically replacing ranks you may have assigned. Before you rely "
    "on it, please read about Expected Returns in the help. If you do not want Ploven to set the "
    "Ranks of your Tier A items, uncheck Expected Returns Active at once.";
inline constexpr const char* kExpectedReturnsCaption = "Expected Returns Active";

inline constexpr const char* kPriceless = "priceless";

}  // namespace ploven::priority_text
