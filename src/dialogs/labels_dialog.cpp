#include "dialogs/labels_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/filter_dialog_messages.h"
#include "filters/filter_messages.h"

namespace ploven {
namespace {

namespace t = filter_dialog_text;

// Longer lists go into two columns so the dialog stays on the screen.
constexpr size_t kRowsPerColumn = 12;

uint32_t Bit(size_t n) { return uint32_t{1} << n; }

}  // namespace

std::vector<std::string> DefaultLabelNames(size_t count) {
  std::vector<std::string> names;
  count = std::min(count, kMaxFilterLabels);
  for (size_t n = 0; n < count; ++n) {
    names.push_back(n == 0 ? std::string(t::kNoLabelName)
                           : QString::asprintf(t::kLabelNameFormat, static_cast<int>(n))
                                 .toStdString());
  }
  return names;
}

LabelsDialog::LabelsDialog(const std::vector<std::string>& names, uint32_t excludedLabels,
                           QWidget* owner)
    : QDialog(owner) {
  setWindowTitle(filter_text::kLabelsDialogTitle);
  setObjectName(filter_text::kLabelsDialogName);
  const size_t count = std::min(names.size(), kMaxFilterLabels);
  const uint32_t listed = count == kMaxFilterLabels ? ~uint32_t{0} : Bit(count) - 1;
  m_unlisted = excludedLabels & ~listed;

  auto* grid = new QGridLayout();
  grid->setHorizontalSpacing(24);
  grid->setVerticalSpacing(6);
  for (size_t n = 0; n < count; ++n) {
    auto* box = new QCheckBox(QString::fromStdString(names[n]));
    box->setChecked((excludedLabels & Bit(n)) == 0);
    grid->addWidget(box, static_cast<int>(n % kRowsPerColumn), static_cast<int>(n / kRowsPerColumn));
    m_boxes.push_back(box);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QPushButton* all = buttons->addButton(t::kShowAllButton, QDialogButtonBox::ResetRole);
  QPushButton* none = buttons->addButton(t::kShowNoneButton, QDialogButtonBox::ResetRole);
  connect(all, &QPushButton::clicked, this, [this] { CheckAll(true); });
  connect(none, &QPushButton::clicked, this, [this] { CheckAll(false); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(12);
  layout->addWidget(new QLabel(t::kLabelsPrompt));
  layout->addLayout(grid);
  layout->addWidget(buttons);
}

uint32_t LabelsDialog::excludedLabels() const {
  uint32_t mask = m_unlisted;
  for (size_t n = 0; n < m_boxes.size(); ++n) {
    if (!m_boxes[n]->isChecked()) mask |= Bit(n);
  }
  return mask;
}

void LabelsDialog::CheckAll(bool checked) {
  for (QCheckBox* box : m_boxes) box->setChecked(checked);
}

bool RunLabelsDialog(QWidget* owner, const std::vector<std::string>& names,
                     uint32_t& excludedLabels) {
  LabelsDialog dialog(names, excludedLabels, owner);
  if (dialog.exec() != QDialog::Accepted) return false;
  excludedLabels = dialog.excludedLabels();
  return true;
}

}  // namespace ploven
