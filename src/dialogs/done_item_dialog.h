#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

#include "done/done_item_form.h"
#include "store/date_format.h"
#include "store/date_parse.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ploven {

// The Item (Done) window: a done item with the times it really took. Began, Ended and Duration
// follow each other as they are left; OK records a new done item or moves the one shown, and
// stays open while an entry is refused.
class DoneItemDialog : public QDialog {
  Q_OBJECT

 public:
  // `openNote` shows the note of a number once "Note..." attached it; empty, the note is only
  // attached.
  DoneItemDialog(Engine& engine, DoneItemDraft draft, const DateText& text,
                 const ParseContext& context, std::function<void(int32_t)> openNote = {},
                 QWidget* owner = nullptr);

  const DoneItemDraft& draft() const { return m_draft; }
  ActHandle savedItem() const { return m_saved; }

  QLineEdit* titleField() const { return m_title; }
  QLineEdit* dateField() const { return m_date; }
  QLineEdit* beganField() const { return m_began; }
  QLineEdit* endedField() const { return m_ended; }
  QLineEdit* durationField() const { return m_duration; }
  QLineEdit* expenseField() const { return m_expense; }
  QLineEdit* mileageField() const { return m_mileage; }
  QLineEdit* jobNumberField() const { return m_jobNumber; }
  QComboBox* projectBox() const { return m_project; }
  QPushButton* noteButton() const { return m_note; }

 public slots:
  void accept() override;

 private:
  // Each field, when left, moves the others; false when it cannot be read (told, focused).
  bool TakeBegan();
  bool TakeEnded();
  bool TakeDuration();
  void ShowTimes();
  void AttachNote();
  bool Refuse(QLineEdit* field, const std::string& message);

  Engine& m_engine;
  DoneItemDraft m_draft;
  DateText m_text;
  ParseContext m_context;
  std::function<void(int32_t)> m_openNote;
  ActHandle m_saved = kNoAct;
  bool m_refusing = false;
  QLineEdit* m_title = nullptr;
  QLineEdit* m_date = nullptr;
  QLineEdit* m_began = nullptr;
  QLineEdit* m_ended = nullptr;
  QLineEdit* m_duration = nullptr;
  QLineEdit* m_expense = nullptr;
  QLineEdit* m_mileage = nullptr;
  QLineEdit* m_jobNumber = nullptr;
  QComboBox* m_project = nullptr;
  QPushButton* m_note = nullptr;
  QLabel* m_noteLabel = nullptr;
};

// Shows the window; the item OK recorded or moved, or kNoAct when cancelled.
ActHandle RunDoneItemDialog(QWidget* owner, Engine& engine, DoneItemDraft draft,
                            const DateText& text, const ParseContext& context,
                            std::function<void(int32_t)> openNote = {});

}  // namespace ploven
