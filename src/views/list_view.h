#pragma once

#include <QPoint>
#include <QWidget>
#include <functional>
#include <vector>

#include "present/list_lines.h"
#include "views/view_environment.h"

class QScrollBar;

namespace ploven {

// The Alphabetical View, the Priority View and the Projects List: one text line per entry,
// drawn from the schedule's own orders.
class ListView : public QWidget {
  Q_OBJECT

 public:
  explicit ListView(ViewEnvironment& env, QWidget* parent = nullptr);

  void SetKind(ListKind kind);
  ListKind kind() const { return m_kind; }
  // Reads the entries again (the schedule or the filter changed); the selection stays on its
  // item while the item is listed.
  void Refresh();

  // The selected entry's item (the project in the Projects List), kNoAct when none.
  ActHandle SelectedItem() const;
  // False when the item is not listed.
  bool SelectItem(ActHandle h);
  void SelectPrevious();
  void SelectNext();

  // While the user may not view the schedule every line says so.
  void SetViewAuthorized(bool authorized);
  // Tells which items have a note; without it no note marker is drawn.
  void SetNoteProbe(std::function<bool(ActHandle)> hasNote) { m_hasNote = std::move(hasNote); }

  // The view record: first entry shown, selected entry (-1 none), whole lines that fit.
  int scrollPosition() const { return m_first; }
  int selectedIndex() const { return m_selected; }
  int linesThatFit() const;
  int entryCount() const { return static_cast<int>(m_entries.size()); }
  const std::vector<ActHandle>& entries() const { return m_entries; }
  void ScrollTo(int first);
  // The entry under a point in the widget, -1 for empty space.
  int EntryAt(QPoint pos) const;
  int lineHeight() const;

 signals:
  void itemActivated(ActHandle item);
  void projectActivated(ActHandle project);
  void noteRequested(ActHandle item);
  void contextMenuRequested(ActHandle item, QPoint globalPos);
  void newItemRequested();
  void selectionChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QFont LineFont() const;
  QRect TextArea() const;
  QRect LineRect(int row) const;
  bool InNotePart(QPoint pos) const;
  bool InProjectBar(QPoint pos) const;
  bool LightMode() const { return !m_env.options.proMode; }
  void SetSelected(int index);
  void EnsureVisible(int index);
  void UpdateScrollBar();
  void ReportTooManyLines();

  ViewEnvironment& m_env;
  ListKind m_kind = ListKind::kAlphabetical;
  std::vector<ActHandle> m_entries;
  int m_first = 0;
  int m_selected = -1;
  bool m_authorized = true;
  bool m_tooManyReported = false;
  bool m_refreshQueued = false;
  std::function<bool(ActHandle)> m_hasNote;
  QScrollBar* m_scroll = nullptr;
};

}  // namespace ploven
