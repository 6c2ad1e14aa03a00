#include "dialogs/time_report_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <fstream>

#include "dialogs/done_dialog_messages.h"
#include "platform/format.h"

namespace ploven {
namespace {

namespace t = done_dialog_text;

QString Q(const std::string& s) { return QString::fromStdString(s); }

QTableWidgetItem* Cell(const QString& text, Qt::Alignment align = Qt::AlignLeft) {
  auto* cell = new QTableWidgetItem(text);
  cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
  cell->setTextAlignment(align | Qt::AlignVCenter);
  return cell;
}

}  // namespace

TimeReportWindow::TimeReportWindow(Builder build, DayNumber from, DayNumber to,
                                   const DateText& text, const ParseContext& context,
                                   Messages& messages, QWidget* owner)
    : QDialog(owner), m_build(std::move(build)), m_text(text), m_context(context), m_msg(messages) {
  setWindowTitle(t::kTimeReportCaption);
  resize(640, 480);
  m_from = new QLineEdit(Q(FormatDate(from, m_text)));
  m_to = new QLineEdit(Q(FormatDate(to, m_text)));
  m_by = new QComboBox();
  m_by->addItems(QString(t::kByChoices).split('\n'));
  auto* show = new QPushButton(t::kShowButton);
  auto* save = new QPushButton(t::kSaveCsvButton);
  m_table = new QTableWidget(0, 6);
  m_table->setHorizontalHeaderLabels(QString(t::kReportColumns).split('\n'));
  m_table->verticalHeader()->hide();
  m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  m_totals = new QLabel();
  m_problems = new QLabel();
  m_problems->setWordWrap(true);

  auto* dates = new QFormLayout();
  dates->addRow(t::kFromLabel, m_from);
  dates->addRow(t::kToLabel, m_to);
  dates->addRow(t::kByLabel, m_by);
  auto* top = new QHBoxLayout();
  top->addLayout(dates, 1);
  top->addWidget(show, 0, Qt::AlignBottom);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  buttons->addButton(save, QDialogButtonBox::ActionRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &TimeReportWindow::reject);
  connect(show, &QPushButton::clicked, this, [this] { Rebuild(); });
  connect(m_by, &QComboBox::currentIndexChanged, this, [this] { Rebuild(); });
  connect(save, &QPushButton::clicked, this, &TimeReportWindow::SaveCsv);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(m_table, 1);
  layout->addWidget(m_totals);
  layout->addWidget(m_problems);
  layout->addWidget(buttons);
  Rebuild();
}

bool TimeReportWindow::Rebuild() {
  DayNumber range[2] = {};
  QLineEdit* fields[2] = {m_from, m_to};
  for (int i = 0; i < 2; ++i) {
    const auto r = ParseDate(fields[i]->text().trimmed().toStdString(), m_text, m_context);
    if (!r.value) {
      m_msg.ErrorMessage(r.message);
      fields[i]->setFocus();
      return false;
    }
    range[i] = *r.value;
  }
  if (range[1] < range[0]) {
    m_msg.ErrorMessage(t::kToBeforeFrom);
    m_to->setFocus();
    return false;
  }
  m_shownBy = static_cast<TimeReportBy>(std::max(0, m_by->currentIndex()));
  std::vector<DoneLogProblem> problems;
  m_report = m_build(range[0], range[1], m_shownBy, problems);

  m_table->setRowCount(static_cast<int>(m_report.rows.size()));
  m_table->setColumnHidden(0, m_shownBy == TimeReportBy::kProject);
  for (size_t i = 0; i < m_report.rows.size(); ++i) {
    const TimeReportRow& r = m_report.rows[i];
    const int row = static_cast<int>(i);
    const std::string date = FormatDate(r.period, m_text);
    m_table->setItem(
        row, 0,
        Cell(m_shownBy == TimeReportBy::kWeek ? Q(Sprintf(t::kWeekOf, date.c_str())) : Q(date)));
    m_table->setItem(row, 1, Cell(r.project.empty() ? QString(t::kNoProject) : Q(r.project)));
    m_table->setItem(row, 2, Cell(Q(FormatDuration(r.minutes, m_text)), Qt::AlignRight));
    m_table->setItem(row, 3, Cell(QString::number(r.items), Qt::AlignRight));
    m_table->setItem(row, 4, Cell(Q(Sprintf("%.2f", r.expense)), Qt::AlignRight));
    m_table->setItem(row, 5, Cell(QString::number(r.mileage), Qt::AlignRight));
  }
  m_totals->setText(Q(Sprintf(t::kReportTotals, FormatDuration(m_report.minutes, m_text).c_str(),
                              m_report.expense, m_report.mileage)));
  if (problems.empty()) {
    m_problems->clear();
  } else {
    const DoneLogProblem& p = problems.front();
    m_problems->setText(Q(Sprintf(t::kLogProblems, static_cast<int>(problems.size()),
                                  p.file.c_str(), p.line, p.reason.c_str())));
  }
  return true;
}

void TimeReportWindow::SaveCsv() {
  const QString file =
      QFileDialog::getSaveFileName(this, t::kTimeReportCaption, QString(), t::kCsvFilter);
  if (file.isEmpty()) return;
  const std::string path = file.toStdString();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << TimeReportCsv(m_report, m_shownBy, m_text);
  out.close();
  if (!out) m_msg.ErrorMessage(Sprintf(t::kCsvNotWritten, path.c_str()));
}

}  // namespace ploven
