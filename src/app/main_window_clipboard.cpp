// The main window's clipboard: an item travels as its clipboard line (file/item_line.h) in a
// format of its own, with its title as plain text; Paste enters a line as the import does.

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "app/app_messages.h"
#include "app/main_window.h"
#include "edit/item_entry.h"
#include "engine/engine_hold.h"
#include "file/item_line.h"

namespace ploven {

namespace t = app_text;

namespace {

// The private clipboard format of an item line.
constexpr char kItemMimeType[] = "application/x-ploven-item";

}  // namespace

void MainWindow::Copy() {
  const ActHandle h = SelectedItem();
  if (h == kNoAct) return;
  const std::string line = FormatClipboardLine(m_session.schedule(), h, m_env->dateText());
  auto* clip = new QMimeData;
  clip->setData(kItemMimeType, QByteArray::fromStdString(line));
  clip->setText(QString::fromStdString(ClipboardTitle(line)));
  QApplication::clipboard()->setMimeData(clip);
}

void MainWindow::Cut() {
  Copy();
  DeleteSelected(DeleteScope::kChosen);
}

void MainWindow::Paste() {
  if (!m_session.writable()) return;
  const QMimeData* clip = QApplication::clipboard()->mimeData();
  std::string text;
  if (clip != nullptr && clip->hasFormat(kItemMimeType)) {
    text = clip->data(kItemMimeType).toStdString();
  } else if (clip != nullptr && clip->hasText()) {
    text = clip->text().toStdString();
  }
  if (text.empty()) {
    m_session.messages().InformationMessage(t::kNothingToPaste);
    return;
  }
  ActHandle h = kNoAct;
  {
    // A pasted item is an import of one line: the engine's runs wait until it is in.
    const EngineHold importing(m_session.engine(), EngineHoldReason::kImporting);
    const ParseContext context = m_session.ParseContextFor(m_viewedDate);
    const auto r = ParseItemLine(text, m_env->dateText(), context);
    if (!r.line) {
      m_session.messages().ErrorMessage(r.message);
      return;
    }
    h = EnterItemLine(m_session.engine(), &m_session.recurrences(), *r.line, m_viewedDate);
  }
  if (h == kNoAct) return;
  m_session.SaveIfChanged();
  const DayNumber date = m_session.schedule().GetActDate(h);
  if (date != kNoDate) GoToDate(date);
  AfterChange();
}

}  // namespace ploven
