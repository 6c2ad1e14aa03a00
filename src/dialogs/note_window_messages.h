#pragma once

// Texts of the note windows and the Find box.
namespace ploven::note_window_text {

inline constexpr char kNoteMenu[] = "&Note";
inline constexpr char kEditMenu[] = "&Edit";
inline constexpr char kClose[] = "&Close";
inline constexpr char kPrintNote[] = "&Print Note...";
inline constexpr char kMakeExceptionNote[] = "Make &Exception Note";
inline constexpr char kHide[] = "&Hide";
inline constexpr char kUndo[] = "&Undo";
inline constexpr char kCut[] = "Cu&t";
inline constexpr char kCopy[] = "&Copy";
inline constexpr char kPaste[] = "&Paste";
inline constexpr char kSelectAll[] = "Select &All";
inline constexpr char kFind[] = "&Find...";
inline constexpr char kFixedFont[] = "&Fixed-Width Font";
inline constexpr char kFindInNote[] = "Find in note:";
inline constexpr char kNotFoundInNote[] = "\"%1\" is not in this note.";
inline constexpr char kReadOnlySuffix[] = " (read only: in use by another program)";

inline constexpr char kFindTitle[] = "Find";
inline constexpr char kFindLabel[] = "Find items whose title or note contains:";
inline constexpr char kFindButton[] = "&Find";
inline constexpr char kGoToButton[] = "&Go To";
inline constexpr char kCloseButton[] = "Close";
inline constexpr char kFindCount[] = "%1 item(s) found.";
inline constexpr char kRecurring[] = "recurring";
inline constexpr char kUndated[] = "undated";

}  // namespace ploven::note_window_text
