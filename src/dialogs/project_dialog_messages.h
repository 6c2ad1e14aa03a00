#pragma once

// Texts of the project properties window (the core's refusals are in store/project_messages.h).
namespace ploven::project_dialog_text {

inline constexpr char kNewProjectCaption[] = "New Project";
inline constexpr char kNameLabel[] = "Project &Name:";
inline constexpr char kHueLabel[] = "Project Hue:";
inline constexpr char kChooseHue[] = "Choose &Hue...";
inline constexpr char kHueChooserTitle[] = "Project Hue";
inline constexpr char kNoteButton[] = "N&ote...";
inline constexpr char kNoteUnavailable[] = "Notes are not available in this version.";
inline constexpr char kHelpButton[] = "&Help";

}  // namespace ploven::project_dialog_text
