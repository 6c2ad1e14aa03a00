#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;

namespace ploven {

// The Find box: words, the items found (date, time and title), and Go To. The main window
// searches and goes; this only draws the list and forwards the choice.
class FindWindow : public QDialog {
  Q_OBJECT

 public:
  explicit FindWindow(QWidget* parent = nullptr);

  // Searches for the words and gives one line per item found.
  std::function<QStringList(const QString& words)> search;
  // Goes to the row-th item found.
  std::function<void(int row)> goTo;

  QLineEdit* wordsField() const { return m_words; }
  QListWidget* results() const { return m_list; }
  void SetCurrentRow(int row);
  // Runs the search for the words in the field.
  void Search();

 private:
  QLineEdit* m_words;
  QListWidget* m_list;
  QLabel* m_count;
};

}  // namespace ploven
