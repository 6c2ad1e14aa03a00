#include "dialogs/colors_settings_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/more_settings_messages.h"
#include "platform/messages.h"
#include "platform/platform_messages.h"
#include "platform/program_settings.h"
#include "present/colour_contrast.h"

namespace ploven {
namespace {

namespace t = more_settings_text;
using Entry = ColorsSettingsDialog::Entry;

constexpr uint32_t ProgramSettings::*kMembers[] = {
    &ProgramSettings::colorNormalBackground, &ProgramSettings::colorNormalText,
    &ProgramSettings::colorFluid, &ProgramSettings::colorUnscheduled, &ProgramSettings::colorDone,
    &ProgramSettings::colorFreeTime, &ProgramSettings::colorPastTime,
    &ProgramSettings::colorSelection};
constexpr const char* kLabels[] = {t::kBackgroundLabel, t::kNormalTextLabel, t::kFluidLabel,
                                   t::kUnscheduledLabel, t::kDoneLabel, t::kFreeTimeLabel,
                                   t::kPastTimeLabel, t::kSelectionLabel};
static_assert(std::size(kMembers) == ColorsSettingsDialog::kEntryCount);
static_assert(std::size(kLabels) == ColorsSettingsDialog::kEntryCount);
// The entries that are ink on the background (the others are backgrounds themselves).
constexpr Entry kLastText = Entry::kDone;

QColor Colour(uint32_t ref) {
  return QColor(static_cast<int>(ref & 0xff), static_cast<int>((ref >> 8) & 0xff),
                static_cast<int>((ref >> 16) & 0xff));
}

uint32_t Ref(const QColor& c) { return ColourRef(c.red(), c.green(), c.blue()); }

// A few rows of a day drawn with the chosen colours.
class ColoursPreview : public QWidget {
 public:
  explicit ColoursPreview(const std::array<uint32_t, Entry::kEntryCount>& colours)
      : m_colours(colours) {
    setMinimumSize(320, 168);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Colour(m_colours[Entry::kBackground]));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const struct {
      const char* text;
      Entry colour;
      bool strike;
      Entry fill;  // kEntryCount: the background
    } rows[] = {{t::kPreviewDoneItem, Entry::kDone, true, Entry::kPastTime},
                {t::kPreviewSetItem, Entry::kNormalText, false, Entry::kEntryCount},
                {t::kPreviewSelectedItem, Entry::kNormalText, false, Entry::kSelection},
                {t::kPreviewFluidItem, Entry::kFluid, false, Entry::kEntryCount},
                {t::kPreviewFreeTime, Entry::kFluid, false, Entry::kFreeTime},
                {t::kPreviewUnscheduledItem, Entry::kUnscheduled, false, Entry::kEntryCount}};
    const int line = height() / static_cast<int>(std::size(rows));
    int y = 0;
    for (const auto& row : rows) {
      const uint32_t under =
          m_colours[row.fill == Entry::kEntryCount ? Entry::kBackground : row.fill];
      if (row.fill != Entry::kEntryCount)
        p.fillRect(QRect(4, y + 1, width() - 8, line - 2), Colour(under));
      QFont f = font();
      f.setStrikeOut(row.strike);
      p.setFont(f);
      // As the views draw it: deepened just enough to read on what lies under it.
      p.setPen(Colour(ReadableOn(m_colours[row.colour], {under})));
      p.drawText(QRect(10, y, width() - 20, line), Qt::AlignLeft | Qt::AlignVCenter, row.text);
      y += line;
    }
  }

 private:
  const std::array<uint32_t, Entry::kEntryCount>& m_colours;
};

void PaintSwatch(QPushButton* button, uint32_t colour) {
  QPixmap swatch(40, 16);
  swatch.fill(Colour(colour));
  QPainter p(&swatch);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 39, 15);
  button->setIcon(QIcon(swatch));
  button->setIconSize(swatch.size());
  button->setToolTip(Colour(colour).name());
}

}  // namespace

ColorsSettingsDialog::ColorsSettingsDialog(ProgramSettings& program, Settings& settings,
                                           Messages& messages, QWidget* owner, Picker pick)
    : QDialog(owner),
      m_program(program),
      m_settings(settings),
      m_messages(messages),
      m_pick(std::move(pick)) {
  setWindowTitle(t::kColorsTitle);
  setObjectName("ColorsSettings");
  if (!m_pick) {
    m_pick = [this](const QColor& start, const QString& title) -> std::optional<QColor> {
      const QColor c = QColorDialog::getColor(start, this, title);
      if (!c.isValid()) return std::nullopt;
      return c;
    };
  }
  for (int e = 0; e < kEntryCount; ++e) m_chosen[e] = m_program.*kMembers[e];

  auto* hint = new QLabel(t::kColorsHint);
  hint->setWordWrap(true);
  auto* grid = new QGridLayout;
  for (int e = 0; e < kEntryCount; ++e) {
    auto* label = new QLabel(kLabels[e]);
    m_buttons[e] = new QPushButton;
    label->setBuddy(m_buttons[e]);
    grid->addWidget(label, e, 0);
    grid->addWidget(m_buttons[e], e, 1);
    connect(m_buttons[e], &QPushButton::clicked, this, [this, e] { Pick(static_cast<Entry>(e)); });
  }
  m_preview = new ColoursPreview(m_chosen);
  m_warning = new QLabel;
  m_warning->setWordWrap(true);
  m_reset = new QPushButton(t::kResetColors);
  connect(m_reset, &QPushButton::clicked, this, &ColorsSettingsDialog::ResetToDefaults);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->addButton(m_reset, QDialogButtonBox::ResetRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &ColorsSettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ColorsSettingsDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint);
  layout->addLayout(grid);
  layout->addWidget(new QLabel(t::kPreviewHeading));
  layout->addWidget(m_preview);
  layout->addWidget(m_warning);
  layout->addWidget(buttons);
  ShowChoices();
}

void ColorsSettingsDialog::Pick(Entry e) {
  const QString title = QString(t::kPickColourTitle).arg(QString(kLabels[e]).remove(':'));
  if (const auto c = m_pick(Colour(m_chosen[e]), title)) Choose(e, Ref(*c));
}

void ColorsSettingsDialog::Choose(Entry e, uint32_t colour) {
  m_chosen[e] = colour & 0xFFFFFF;
  ShowChoices();
}

void ColorsSettingsDialog::ResetToDefaults() {
  const ProgramSettings defaults;
  for (int e = 0; e < kEntryCount; ++e) m_chosen[e] = defaults.*kMembers[e];
  ShowChoices();
}

void ColorsSettingsDialog::ShowChoices() {
  for (int e = 0; e < kEntryCount; ++e) PaintSwatch(m_buttons[e], m_chosen[e]);
  // The text colours against the background: the weakest one decides the warning.
  double weakest = 21;
  for (int e = kNormalText; e <= kLastText; ++e)
    weakest = std::min(weakest, ContrastRatio(m_chosen[e], m_chosen[kBackground]));
  m_warning->setText(weakest < kReadableContrast
                         ? QString(t::kLowContrastWarning).arg(weakest, 0, 'f', 1)
                         : QString());
  m_warning->setVisible(weakest < kReadableContrast);
  m_preview->update();
}

void ColorsSettingsDialog::accept() {
  m_changed = false;
  for (int e = 0; e < kEntryCount; ++e) m_changed |= m_program.*kMembers[e] != m_chosen[e];
  if (m_changed) {
    for (int e = 0; e < kEntryCount; ++e) m_program.*kMembers[e] = m_chosen[e];
    if (!m_program.WriteColours(m_settings)) m_messages.ErrorMessage(msg::kSettingsNotWritten);
  }
  QDialog::accept();
}

bool RunColorsSettingsDialog(QWidget* owner, ProgramSettings& program, Settings& settings,
                             Messages& messages) {
  ColorsSettingsDialog dialog(program, settings, messages, owner);
  return dialog.exec() == QDialog::Accepted && dialog.changed();
}

}  // namespace ploven
