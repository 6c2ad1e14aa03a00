#pragma once

// Texts of the notes and the note windows, word for word where users already know them.
namespace ploven::note_text {

inline constexpr const char* kMustExistFirst = "Item must exist first";
inline constexpr const char* kTooManyNotes = "You can't open that many notes at once";
inline constexpr const char* kWindowNotCreated = "Window could not be created.";
inline constexpr const char* kNoteInUse =
    "This note is currently in use, possibly by another program, so you cannot open it in "
    "Ploven right now. Please try again later.";
inline constexpr const char* kLockNotCreated = "Unable to create note lock file";
inline constexpr const char* kLockNotRemoved = "Error encountered removing note lock file.";
inline constexpr const char* kNoteTooLong =
    "This item's note (or the note of the project it is associated with) is %i bytes long, "
    "which is larger than notes are ever supposed to be, therefore Ploven has not retrieved the "
    "contents of this note.\n\nPlease open the file %s in a text editor and shorten it to less "
    "than 32,767 bytes, then open the note again.";
inline constexpr const char* kLengthUnreadable = "Unable to check length of note file %s";
inline constexpr const char* kLoadNoMemory = "Insufficient memory to load note";
inline constexpr const char* kReadError = "error reading %s";
inline constexpr const char* kRetrieveFailed = "File error. Unable to retrieve note.";
// A protected note whose stored length runs past the end of its file: it is left untouched.
inline constexpr const char* kProtectedNoteDamaged =
    "The note file %s is damaged (it says it holds %u bytes but holds only %u), so Ploven has "
    "not retrieved the contents of this note. The file has been left as it is.";

// A note that long could never be read back: it is not written.
inline constexpr const char* kSaveTooLong =
    "This note is %u bytes long, but notes must stay under 65,535 bytes to be read again. "
    "Please shorten it, then save it again. The note file was left as it was.";
inline constexpr const char* kSaveNoMemory = "Insufficient memory to save note";
inline constexpr const char* kSaveCreateFailed = "File error. Unable to save current note.";
inline constexpr const char* kSaveMarkerFailed = "File error. Unable to save current note (2).";
inline constexpr const char* kSaveLengthFailed = "File error. Unable to save current note (3).";
inline constexpr const char* kSaveProtectedFailed = "File error. Unable to save current note (4).";
inline constexpr const char* kSavePlainFailed = "File error. Unable to save current note (5).";
// The steps after the bytes are down: the note file is still the one it was before.
inline constexpr const char* kSaveStepFailed =
    "File error. Unable to save current note (%s failed: %s). The note file was left as it was.";
inline constexpr const char* kDeleteFailed =
    "File error. Unable to delete the note file %s (%s). The note was left as it was.";
inline constexpr const char* kCopyFailed =
    "File error. Unable to copy the note file %s to %s (%s failed: %s).";
inline constexpr const char* kFolderNotCreated = "Unable to create the Notes folder %s (%s).";

inline constexpr const char* kNoteWindowNotFound = "Note window not found";
inline constexpr const char* kNoteModule = "Note";

// Title: "Shared " or nothing, "Note", the prefix, the number and the item's short title.
inline constexpr const char* kWindowTitle = "%s%s (%s%05d.txt) for: %s";
inline constexpr const char* kShared = "Shared ";
inline constexpr const char* kNote = "Note";

inline constexpr const char* kNoteInfo =
    "The note for item %d is stored in file %s%05d.txt in the Notes folder, %s.";
inline constexpr const char* kNoteHealthy = "and is healthy";
inline constexpr const char* kNoteMissing =
    "but that file is not where it should be (in the Notes folder)";
inline constexpr const char* kNoNote = "Item %d does not have a note.";

inline constexpr const char* kNotShared = "This item doesn't have a shared note";
inline constexpr const char* kNeedInstance =
    "You need to select a instance of a recurring item to make an exception to a common note.";
inline constexpr const char* kExceptionQuestion =
    "You are about to make this Note an exception to the Shared Note shared by other instances "
    "of this recurring item. If you proceed, this note will start out with the same text as the "
    "shared note, however changes or deletions you make to this note from now on will not "
    "affect the shared note.\n\n(This action cannot be undone.)\n\nAre you sure you wish to "
    "proceed?";
inline constexpr const char* kExceptionDeclined =
    "Glad we asked: the note has been left as it was.";
inline constexpr const char* kExceptionMade =
    "Exception note created successfully.\n\nSince this item now has its own note independent "
    "of the shared noted shared by other instances of this recurring item, this item will always "
    "be an exception instance (and therefore will be marked \"exception\" on all views).";

// Find.
inline constexpr const char* kFindNothing = "No item's title or note contains \"%s\".";

}  // namespace ploven::note_text
