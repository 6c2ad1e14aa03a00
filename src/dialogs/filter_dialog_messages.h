#pragma once

// Captions and messages of the Filters window and the Filters: Labels dialog. The texts the
// filter itself owns (window title, close button, help topic...) are in filters/filter_messages.h.
namespace ploven::filter_dialog_text {

// ---- The Filters window ----
inline constexpr char kTitleBox[] = "Title";
inline constexpr char kMatchCaseBox[] = "Match case";
inline constexpr char kProjectBox[] = "Project";
inline constexpr char kJobBox[] = "Job #";
inline constexpr char kLabelsBox[] = "Labels";
inline constexpr char kSelectLabelsButton[] = "Select &Labels...";
inline constexpr char kMinimumDurationBox[] = "Minimum Duration";
inline constexpr char kHoursSuffix[] = "hours";
inline constexpr char kMinutesSuffix[] = "minutes";
inline constexpr char kHelpButton[] = "&Help";
inline constexpr char kTitleHint[] = "+word must occur, -word must not";

// ---- Refused entries (the setting keeps its last good value) ----
inline constexpr char kBadJobNumber[] = "The Job # must be a whole number, for example 1042.";
inline constexpr char kBadHours[] = "The hours of the Minimum Duration must be a whole number "
                                    "from 0 to 546.";
inline constexpr char kBadMinutes[] = "The minutes of the Minimum Duration must be a whole "
                                      "number from 0 to 59.";
inline constexpr char kDurationTooLong[] = "The Minimum Duration cannot be longer than 546 hours "
                                           "7 minutes.";
inline constexpr char kTitleTooLong[] = "The title words can be at most 40 characters long; the "
                                        "rest is not used.";
inline constexpr char kNotSaved[] = "The filter settings could not be saved.";

// ---- The Filters: Labels dialog ----
inline constexpr char kLabelsPrompt[] = "Show the items with these labels:";
inline constexpr char kShowAllButton[] = "Show &All";
inline constexpr char kShowNoneButton[] = "Show &None";
// Names of the labels until the program keeps a label table of its own.
inline constexpr char kNoLabelName[] = "(no label)";
inline constexpr char kLabelNameFormat[] = "Label %d";

}  // namespace ploven::filter_dialog_text
