#include "dialogs/labels_settings_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/more_settings_messages.h"
#include "platform/messages.h"
#include "platform/platform_messages.h"
#include "platform/settings.h"
#include "present/colour_contrast.h"

namespace ploven {
namespace {

namespace t = more_settings_text;

QColor Colour(uint32_t ref) {
  return QColor(static_cast<int>(ref & 0xff), static_cast<int>((ref >> 8) & 0xff),
                static_cast<int>((ref >> 16) & 0xff));
}

void PaintSwatch(QPushButton* button, uint32_t colour) {
  QPixmap swatch(16, 16);
  swatch.fill(Colour(colour));
  QPainter p(&swatch);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 15, 15);
  button->setIcon(QIcon(swatch));
  button->setToolTip(Colour(colour).name());
}

}  // namespace

LabelsSettingsDialog::LabelsSettingsDialog(Settings& settings, Messages& messages, QWidget* owner,
                                           Picker pick)
    : QDialog(owner),
      m_settings(settings),
      m_messages(messages),
      m_pick(std::move(pick)),
      m_table(ReadLabelTable(settings)),
      m_before(m_table) {
  setWindowTitle(t::kLabelsTitle);
  setObjectName("LabelsSettings");
  if (!m_pick) {
    m_pick = [this](const QColor& start, const QString& title) -> std::optional<QColor> {
      const QColor c = QColorDialog::getColor(start, this, title);
      if (!c.isValid()) return std::nullopt;
      return c;
    };
  }
  auto* hint = new QLabel(t::kLabelsHint);
  hint->setWordWrap(true);
  auto* grid = new QGridLayout;
  for (int n = 1; n < kLabelCount; ++n) {
    const size_t i = static_cast<size_t>(n);
    auto* label = new QLabel(QString(t::kLabelNumber).arg(n));
    m_names[i] = new QLineEdit(QString::fromStdString(m_table.entries[i].name));
    m_names[i]->setMaxLength(40);
    m_names[i]->setPlaceholderText(
        QString::fromStdString(LabelTable::Defaults().entries[i].name));
    label->setBuddy(m_names[i]);
    m_colours[i] = new QPushButton(t::kLabelColourButton);
    PaintSwatch(m_colours[i], m_table.entries[i].colour);
    connect(m_colours[i], &QPushButton::clicked, this, [this, n] { Pick(n); });
    grid->addWidget(label, n, 0);
    grid->addWidget(m_names[i], n, 1);
    grid->addWidget(m_colours[i], n, 2);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &LabelsSettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &LabelsSettingsDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint);
  layout->addLayout(grid);
  layout->addWidget(buttons);
}

void LabelsSettingsDialog::Pick(int label) {
  const QString title = m_names[static_cast<size_t>(label)]->text();
  if (const auto c = m_pick(Colour(m_table.entries[static_cast<size_t>(label)].colour), title))
    Choose(label, ColourRef(c->red(), c->green(), c->blue()));
}

void LabelsSettingsDialog::Choose(int label, uint32_t colour) {
  if (label < 1 || label >= kLabelCount) return;
  m_table.entries[static_cast<size_t>(label)].colour = colour & 0xFFFFFF;
  PaintSwatch(m_colours[static_cast<size_t>(label)], colour);
}

void LabelsSettingsDialog::accept() {
  const LabelTable defaults = LabelTable::Defaults();
  for (int n = 1; n < kLabelCount; ++n) {
    const size_t i = static_cast<size_t>(n);
    const QString name = m_names[i]->text().trimmed();
    m_table.entries[i].name = name.isEmpty() ? defaults.entries[i].name : name.toStdString();
  }
  m_changed = m_table != m_before;
  if (m_changed && !WriteLabelTable(m_settings, m_table))
    m_messages.ErrorMessage(msg::kSettingsNotWritten);
  QDialog::accept();
}

bool RunLabelsSettingsDialog(QWidget* owner, Settings& settings, Messages& messages) {
  LabelsSettingsDialog dialog(settings, messages, owner);
  return dialog.exec() == QDialog::Accepted && dialog.changed();
}

}  // namespace ploven
