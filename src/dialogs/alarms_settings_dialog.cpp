#include "dialogs/alarms_settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "alarm/alarm_form.h"
#include "alarm/alarm_messages.h"
#include "alarm/sound_choices.h"
#include "dialogs/alarm_dialog_messages.h"
#include "platform/format.h"
#include "platform/messages.h"

namespace ploven {

namespace {

namespace t = alarm_text;
namespace l = alarm_dialog_text;

constexpr char kTopChime[] = "chimes00.wav";

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

AlarmsSettingsDialog::AlarmsSettingsDialog(const AlarmSettings& values, Ports ports, QWidget* owner)
    : QDialog(owner), m_values(values), m_ports(std::move(ports)) {
  setWindowTitle(t::kSettingsCaption);
  m_suppress = new QCheckBox(l::kSuppressLabel);
  m_suppress->setChecked(values.suppressAll);
  m_until = new QLineEdit(values.suppressUntil == kNoDate
                              ? QString()
                              : Q(FormatDate(values.suppressUntil, m_ports.text)));
  // A date typed switches suppression on.
  connect(m_until, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (!text.trimmed().isEmpty()) m_suppress->setChecked(true);
  });
  auto* suppressRow = new QHBoxLayout();
  suppressRow->addWidget(m_suppress);
  suppressRow->addWidget(m_until);
  suppressRow->addWidget(new QLabel(l::kForeverHint));

  m_sounds = new QComboBox();
  FillSounds(values.sound);
  m_test = new QPushButton(l::kTestLabel);
  connect(m_test, &QPushButton::clicked, this, [this] {
    if (m_ports.play) m_ports.play(SelectedSound());
  });
  m_folder = new QPushButton(l::kFolderLabel);
  connect(m_folder, &QPushButton::clicked, this, &AlarmsSettingsDialog::PickFolder);
  auto* soundRow = new QHBoxLayout();
  soundRow->addWidget(new QLabel(l::kSoundLabel));
  soundRow->addWidget(m_sounds, 1);
  soundRow->addWidget(m_test);
  soundRow->addWidget(m_folder);

  m_repeats = new QCheckBox(l::kRepeatsLabel);
  m_repeats->setChecked(values.suppressRepeats);
  m_mute = new QCheckBox(l::kMuteLabel);
  m_mute->setChecked(values.mute);
  m_chimes = new QCheckBox(l::kChimesLabel);
  m_chimes->setChecked(values.chimes);
  connect(m_chimes, &QCheckBox::clicked, this, [this](bool on) {
    if (on && m_ports.chime) m_ports.chime(kTopChime);
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &AlarmsSettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &AlarmsSettingsDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(suppressRow);
  layout->addLayout(soundRow);
  layout->addWidget(m_repeats);
  layout->addWidget(m_mute);
  layout->addWidget(m_chimes);
  layout->addWidget(buttons);
}

void AlarmsSettingsDialog::FillSounds(const std::string& selected) {
  m_sounds->clear();
  m_sounds->addItem(t::kSoundNone, QString(t::kSoundNone));
  m_sounds->addItem(t::kSoundDefaultLabel, QString());
  std::vector<std::filesystem::path> folders(m_ports.themeFolders.begin(),
                                             m_ports.themeFolders.end());
  if (!m_values.soundFolder.empty()) folders.emplace_back(m_values.soundFolder);
  for (const std::string& file : SoundFilesIn(folders))
    m_sounds->addItem(QFileInfo(Q(file)).completeBaseName(), Q(file));
  int index = m_sounds->findData(Q(selected));
  if (index < 0 && !selected.empty()) {
    // A chosen file that is gone stays chosen: playing it says so.
    m_sounds->addItem(QFileInfo(Q(selected)).completeBaseName(), Q(selected));
    index = m_sounds->count() - 1;
  }
  m_sounds->setCurrentIndex(index < 0 ? 1 : index);
}

std::string AlarmsSettingsDialog::SelectedSound() const {
  return m_sounds->currentData().toString().toStdString();
}

void AlarmsSettingsDialog::PickFolder() {
  if (!m_ports.pickFolder) return;
  const std::string folder = m_ports.pickFolder(m_values.soundFolder);
  if (folder.empty()) return;
  const std::string selected = SelectedSound();
  m_values.soundFolder = folder;
  FillSounds(selected);
}

bool AlarmsSettingsDialog::ReadUntil(DayNumber& until) {
  const std::string text = m_until->text().trimmed().toStdString();
  if (text.empty()) {
    until = kNoDate;
    return true;
  }
  const ParseResult<DayNumber> r = ParseDate(text, m_ports.text, m_ports.context);
  if (!r.value) {
    m_ports.msg.ErrorMessage(r.message.empty() ? Sprintf(t::kBadSuppressDate, text.c_str())
                                               : r.message);
    m_until->setFocus();
    return false;
  }
  until = *r.value;
  if (const auto warning = SuppressDateWarning(until, m_ports.context.today);
      warning && m_warnedFor != text) {
    m_warnedFor = text;
    m_ports.msg.InformationMessage(*warning);
  }
  return true;
}

void AlarmsSettingsDialog::accept() {
  DayNumber until = kNoDate;
  if (!ReadUntil(until)) return;
  m_values.suppressAll = m_suppress->isChecked();
  m_values.suppressUntil = until;
  m_values.sound = SelectedSound();
  m_values.suppressRepeats = m_repeats->isChecked();
  m_values.mute = m_mute->isChecked();
  m_values.chimes = m_chimes->isChecked();
  QDialog::accept();
}

}  // namespace ploven
