// The main window's Settings commands: the settings dialogs, the screen fonts and the switch
// between Light Mode and Pro Mode.

#include <QFontDialog>

#include "app/main_window.h"
#include "app/menu_builder.h"
#include "platform/settings_keys.h"

namespace ploven {

namespace {

// The screen fonts: the command that chooses each, its setting and its place in the style.
struct FontSetting {
  Command command;
  const char* key;
  QFont ViewStyle::*font;
};
constexpr FontSetting kFontSettings[] = {
    {Command::kScreenHeadingsFont, key::kFontHeadings, &ViewStyle::headingFont},
    {Command::kScreenTextFont, key::kFontText, &ViewStyle::textFont},
    {Command::kScreenMonthFont, key::kFontMonth, &ViewStyle::monthFont},
    {Command::kScreenNoteFont, key::kFontNote, &ViewStyle::noteFont},
    {Command::kScreenFluidBeginFont, key::kFontFluidBegin, &ViewStyle::fluidBeginFont},
};

}  // namespace

void MainWindow::RunSettingsDialog(const std::function<bool()>& dialog, bool needsWriting) {
  if (needsWriting && !m_session.writable()) return;
  if (dialog()) AfterChange();
}

void MainWindow::LoadFonts() {
  for (const FontSetting& f : kFontSettings) {
    const QString saved = QString::fromStdString(m_session.settings().ReadString(f.key));
    // Qt's description names at least the family and the size; anything else is left alone.
    QFont font;
    if (saved.split(',').size() >= 2 && font.fromString(saved) && font.pointSizeF() > 0)
      m_env->style.*f.font = font;
  }
  FollowTextFont();
}

void MainWindow::FollowTextFont() {
  // Until a font of their own is chosen, the flexible items' begin times use the text font.
  if (m_session.settings().ReadString(key::kFontFluidBegin).empty())
    m_env->style.fluidBeginFont = m_env->style.textFont;
}

void MainWindow::ChooseFont(Command command) {
  for (const FontSetting& f : kFontSettings) {
    if (f.command != command) continue;
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, m_env->style.*f.font, this,
                                            QString::fromStdString(CommandLabel(command)));
    if (!ok) return;
    m_env->style.*f.font = font;
    m_session.settings().WriteString(f.key, font.toString().toStdString());
    if (command == Command::kScreenNoteFont) ApplyNoteFont();
    FollowTextFont();
    RefreshViews();
    update();
  }
}

void MainWindow::SwitchMode(int newMode) {
  m_session.SetMode(newMode);
  FollowScheduleMode();
}

void MainWindow::FollowScheduleMode() {
  m_env->options.proMode = mode() == MenuMode::kPro;
  m_menus->Install(mode());
  UpdateMenuStates();
  UpdateToolbar();
  AfterChange();
}

}  // namespace ploven
