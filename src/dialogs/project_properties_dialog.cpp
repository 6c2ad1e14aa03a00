#include "dialogs/project_properties_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/project_dialog_messages.h"
#include "platform/ui.h"
#include "store/project_messages.h"
#include "store/projects.h"
#include "store/schedule.h"
#include "views/view_style.h"

namespace ploven {

namespace t = project_dialog_text;

namespace {

uint32_t RefFromColor(const QColor& c) {
  return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
         (static_cast<uint32_t>(c.blue()) << 16);
}

std::optional<uint32_t> PlatformHueChooser(uint32_t current, QWidget* owner) {
  const QColor chosen = QColorDialog::getColor(ColorFromRef(current), owner, t::kHueChooserTitle);
  if (!chosen.isValid()) return std::nullopt;
  return RefFromColor(chosen);
}

}  // namespace

ProjectPropertiesDialog::ProjectPropertiesDialog(Schedule& s, ActHandle project,
                                                 const QString& title, Ui& ui, QWidget* owner)
    : QDialog(owner),
      m_schedule(s),
      m_ui(ui),
      m_project(project),
      m_fields(LoadProjectFields(s, project)),
      m_chooseHue(PlatformHueChooser) {
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 14, 14, 12);
  layout->setSpacing(12);

  auto* form = new QFormLayout;
  form->setHorizontalSpacing(10);
  form->setVerticalSpacing(10);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_name = new QLineEdit(QString::fromStdString(m_fields.name), this);
  m_name->setMinimumWidth(320);
  form->addRow(t::kNameLabel, m_name);

  auto* hueRow = new QHBoxLayout;
  hueRow->setSpacing(8);
  m_swatch = new QFrame(this);
  m_swatch->setFrameShape(QFrame::Box);
  m_swatch->setFixedSize(64, 22);
  m_swatch->setAutoFillBackground(true);
  m_hueButton = new QPushButton(t::kChooseHue, this);
  hueRow->addWidget(m_swatch);
  hueRow->addWidget(m_hueButton);
  hueRow->addStretch();
  form->addRow(t::kHueLabel, hueRow);
  layout->addLayout(form);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  // Without a note opener the button only says that notes are not there.
  m_noteButton = buttons->addButton(t::kNoteButton, QDialogButtonBox::ActionRole);
  m_noteButton->setEnabled(false);
  m_noteButton->setToolTip(t::kNoteUnavailable);
  m_helpButton = buttons->addButton(t::kHelpButton, QDialogButtonBox::HelpRole);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &ProjectPropertiesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_hueButton, &QPushButton::clicked, this, &ProjectPropertiesDialog::ChooseHue);
  connect(m_helpButton, &QPushButton::clicked, this, &ProjectPropertiesDialog::ShowHelp);

  setTabOrder(m_name, m_hueButton);
  SetHue(m_fields.hue);
  m_name->setFocus();
  m_name->selectAll();
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ProjectPropertiesDialog::SetHue(uint32_t hue) {
  m_fields.hue = hue & 0xFFFFFF;
  QPalette palette = m_swatch->palette();
  palette.setColor(QPalette::Window, ColorFromRef(m_fields.hue));
  m_swatch->setPalette(palette);
}

void ProjectPropertiesDialog::ChooseHue() {
  if (!m_chooseHue) return;
  if (const auto hue = m_chooseHue(m_fields.hue, this)) SetHue(*hue);
}

void ProjectPropertiesDialog::ShowHelp() { m_ui.OpenHelpTopic(project_text::kProjectHelpTopic); }

void ProjectPropertiesDialog::accept() {
  // The project went while the window was open (no OK can apply to it).
  if (m_project != kNoAct && !IsProject(m_schedule, m_project)) {
    reject();
    return;
  }
  ProjectFields fields = m_fields;
  fields.name = m_name->text().trimmed().toStdString();
  const ActHandle h = ApplyProjectFields(m_schedule, m_project, fields);
  if (h == kNoAct) {
    // Told already; the user corrects the name.
    m_name->setFocus();
    m_name->selectAll();
    return;
  }
  m_result = h;
  QDialog::accept();
}

void ProjectPropertiesDialog::SetNoteOpener(std::function<void(ActHandle)> open) {
  if (!open) return;
  m_noteButton->setEnabled(true);
  m_noteButton->setToolTip({});
  connect(m_noteButton, &QPushButton::clicked, this,
          [this, open = std::move(open)] { open(m_project); });
}

ActHandle RunProjectPropertiesDialog(QWidget* owner, Schedule& s, ActHandle project,
                                     const QString& title, Ui& ui,
                                     std::function<void(ActHandle)> openNote) {
  ProjectPropertiesDialog dialog(s, project, title, ui, owner);
  dialog.SetNoteOpener(std::move(openNote));
  if (dialog.exec() != QDialog::Accepted) return kNoAct;
  return dialog.project();
}

}  // namespace ploven
