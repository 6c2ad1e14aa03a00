#include "dialogs/done_log_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

#include "dialogs/done_dialog_messages.h"
#include "platform/format.h"

namespace ploven {
namespace {

namespace t = done_dialog_text;

QString Q(const std::string& s) { return QString::fromStdString(s); }

enum Column { kDate, kStart, kDuration, kTitle, kProject, kJob, kExpense, kMileage, kColumns };

// A cell that sorts by its key (dates, times and amounts), not by its text.
class SortedCell : public QTableWidgetItem {
 public:
  SortedCell(const QString& text, double key) : QTableWidgetItem(text) {
    setData(Qt::UserRole, key);
    setFlags(flags() & ~Qt::ItemIsEditable);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
  }
};

QTableWidgetItem* TextCell(const std::string& text) {
  auto* cell = new QTableWidgetItem(Q(text));
  cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
  return cell;
}

constexpr int kEntryRole = Qt::UserRole + 1;

}  // namespace

DoneLogWindow::DoneLogWindow(DoneMonthList list, const std::string& caption, const DateText& text,
                             std::function<void(TaskNode*)> openItem, QWidget* owner)
    : QDialog(owner), m_list(std::move(list)), m_text(text), m_openItem(std::move(openItem)) {
  setWindowTitle(Q(caption));
  resize(900, 520);
  m_project = new QComboBox();
  m_project->addItem(t::kAllProjects);
  m_project->addItem(t::kNoProject);
  std::set<std::string> projects;
  for (const DoneListEntry& e : m_list.entries)
    if (!e.fields.project.empty()) projects.insert(e.fields.project);
  for (const std::string& p : projects) m_project->addItem(Q(p));
  m_words = new QLineEdit();
  m_table = new QTableWidget(0, kColumns);
  m_table->setHorizontalHeaderLabels(QString(t::kLogColumns).split('\n'));
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->verticalHeader()->hide();
  m_table->horizontalHeader()->setSectionResizeMode(kTitle, QHeaderView::Stretch);
  m_totals = new QLabel();
  m_problems = new QLabel();
  m_problems->setWordWrap(true);
  if (!m_list.problems.empty()) {
    const DoneLogProblem& p = m_list.problems.front();
    m_problems->setText(Q(Sprintf(t::kLogProblems, static_cast<int>(m_list.problems.size()),
                                  p.file.c_str(), p.line, p.reason.c_str())));
  } else {
    m_problems->setText(t::kLogHint);
  }

  auto* filters = new QFormLayout();
  filters->addRow(t::kProjectFilterLabel, m_project);
  filters->addRow(t::kWordsLabel, m_words);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  m_timeReport = buttons->addButton(t::kTimeReportButton, QDialogButtonBox::ActionRole);
  m_timeReport->hide();
  connect(m_timeReport, &QPushButton::clicked, this, [this] {
    if (m_openTimeReport) m_openTimeReport();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &DoneLogWindow::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filters);
  layout->addWidget(m_table, 1);
  layout->addWidget(m_totals);
  layout->addWidget(m_problems);
  layout->addWidget(buttons);

  connect(m_project, &QComboBox::currentIndexChanged, this, [this] { ApplyFilter(); });
  connect(m_words, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
  connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    const QTableWidgetItem* cell = m_table->item(row, kDate);
    if (cell == nullptr || !m_openItem) return;
    const auto index = static_cast<size_t>(cell->data(kEntryRole).toLongLong());
    if (index < m_list.entries.size() && m_list.entries[index].task != nullptr)
      m_openItem(m_list.entries[index].task);
  });
  Fill();
  ApplyFilter();
}

void DoneLogWindow::SetTimeReportOpener(std::function<void()> open) {
  m_openTimeReport = std::move(open);
  m_timeReport->setVisible(static_cast<bool>(m_openTimeReport));
}

void DoneLogWindow::Fill() {
  m_table->setSortingEnabled(false);
  m_table->setRowCount(static_cast<int>(m_list.entries.size()));
  for (size_t i = 0; i < m_list.entries.size(); ++i) {
    const DoneLogFields& f = m_list.entries[i].fields;
    const int row = static_cast<int>(i);
    // The date cell carries the entry's place, which sorting does not change.
    const double order = f.day * 10000.0 + (f.noBeganTime ? 0 : f.start);
    auto* date = new SortedCell(Q(FormatDateNumeric(f.day, m_text)), order);
    date->setData(kEntryRole, static_cast<qlonglong>(i));
    m_table->setItem(row, kDate, date);
    m_table->setItem(row, kStart,
                     new SortedCell(f.noBeganTime ? QString() : Q(FormatTime(f.start, m_text)),
                                    f.noBeganTime ? 0 : f.start));
    m_table->setItem(row, kDuration,
                     new SortedCell(Q(FormatDuration(f.duration, m_text)), f.duration));
    m_table->setItem(row, kTitle, TextCell(f.title));
    m_table->setItem(row, kProject, TextCell(f.project));
    m_table->setItem(row, kJob, new SortedCell(QString::number(f.jobNumber), f.jobNumber));
    m_table->setItem(row, kExpense, new SortedCell(Q(Sprintf("%.2f", f.expense)), f.expense));
    m_table->setItem(row, kMileage, new SortedCell(QString::number(f.mileage), f.mileage));
  }
  m_table->setSortingEnabled(true);
  m_table->sortByColumn(kDate, Qt::AscendingOrder);
}

DoneListFilter DoneLogWindow::Filter() const {
  DoneListFilter filter;
  filter.words = m_words->text().toStdString();
  if (m_project->currentIndex() > 0) {
    filter.anyProject = false;
    if (m_project->currentIndex() > 1) filter.project = m_project->currentText().toStdString();
  }
  return filter;
}

void DoneLogWindow::ApplyFilter() {
  const DoneListFilter filter = Filter();
  for (int row = 0; row < m_table->rowCount(); ++row) {
    const auto index =
        static_cast<size_t>(m_table->item(row, kDate)->data(kEntryRole).toLongLong());
    m_table->setRowHidden(row, !Shows(filter, m_list.entries[index].fields));
  }
  const DoneListTotals totals = TotalsShown(m_list.entries, filter);
  m_totals->setText(
      Q(Sprintf(t::kLogTotals, totals.items, FormatDuration(totals.minutes, m_text).c_str(),
                totals.expense, totals.mileage)));
}

}  // namespace ploven
