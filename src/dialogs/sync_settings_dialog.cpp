#include "dialogs/sync_settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>
#include <system_error>

#include "bridge/calendar_intake.h"
#include "bridge/server_passwords.h"
#include "dialogs/sync_settings_messages.h"
#include "platform/messages.h"
#include "platform/program_settings.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"

namespace ploven {
namespace {

namespace t = sync_settings_text;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// An http or https address that names a server.
bool ServerUrlReads(const std::string& text) {
  const QUrl url(Q(text), QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
         !url.host().isEmpty();
}

// A login sent to this address travels unencrypted to another computer.
bool LoginInClear(const std::string& text) {
  const QUrl url(Q(text), QUrl::StrictMode);
  if (url.scheme().toLower() != QLatin1String("http")) return false;
  const QString host = url.host().toLower();
  return host != QLatin1String("localhost") && host != QLatin1String("127.0.0.1") &&
         host != QLatin1String("::1");
}

}  // namespace

std::filesystem::path CalendarFolderOf(const Settings& settings,
                                       const std::filesystem::path& dataFolder) {
  const std::string folder = settings.ReadString(key::kCalendarFolder);
  return folder.empty() ? dataFolder / t::kDefaultFolderName : std::filesystem::path(folder);
}

SyncSettingsDialog::SyncSettingsDialog(ProgramSettings& program, Settings& settings, Messages& msg,
                                       std::string openPath, std::filesystem::path dataFolder,
                                       ServerPasswordPlaces passwords, QWidget* owner)
    : QDialog(owner),
      m_program(program),
      m_settings(settings),
      m_msg(msg),
      m_openPath(std::move(openPath)),
      m_dataFolder(std::move(dataFolder)),
      m_passwords(passwords) {
  setWindowTitle(t::kTitle);
  const IntakeSwitches intake = IntakeSwitchesOf(m_program, m_settings);

  m_toCalendar = new QCheckBox(t::kToCalendar);
  m_toCalendar->setChecked(m_program.plovenOutlook != 0);
  m_sendAppointments = new QCheckBox(t::kSendAppointments);
  m_sendAppointments->setChecked(m_program.plovenToOutlookAppts != 0);
  m_sendTasks = new QCheckBox(t::kSendTasks);
  m_sendTasks->setChecked(m_program.plovenToOutlookTasks != 0);
  auto* toCalendar = new QGroupBox(t::kToCalendarGroup);
  auto* toLayout = new QVBoxLayout(toCalendar);
  toLayout->addWidget(m_toCalendar);
  auto* toKinds = new QVBoxLayout();
  toKinds->setContentsMargins(24, 0, 0, 0);
  toKinds->addWidget(m_sendAppointments);
  toKinds->addWidget(m_sendTasks);
  toLayout->addLayout(toKinds);
  FollowToCalendar(m_toCalendar->isChecked());
  connect(m_toCalendar, &QCheckBox::toggled, this, &SyncSettingsDialog::FollowToCalendar);

  m_fromCalendar = new QCheckBox(t::kFromCalendar);
  m_fromCalendar->setChecked(intake.fromCalendar);
  m_takeAppointments = new QCheckBox(t::kTakeAppointments);
  m_takeAppointments->setChecked(intake.appointmentsFromCalendar);
  m_takeTasks = new QCheckBox(t::kTakeTasks);
  m_takeTasks->setChecked(intake.tasksFromCalendar);
  m_thisSchedule = new QCheckBox(t::kThisScheduleReceives);
  m_thisSchedule->setChecked(intake.receivingPath != kReceivingIsOpenSchedule &&
                             !intake.receivingPath.empty() &&
                             IsReceivingSchedule(intake.receivingPath, m_openPath));
  auto* hint = new QLabel(t::kAnyScheduleHint);
  hint->setEnabled(false);
  auto* fromCalendar = new QGroupBox(t::kFromCalendarGroup);
  auto* fromLayout = new QVBoxLayout(fromCalendar);
  fromLayout->addWidget(m_fromCalendar);
  auto* indented = new QVBoxLayout();
  indented->setContentsMargins(24, 0, 0, 0);
  indented->addWidget(m_takeAppointments);
  indented->addWidget(m_takeTasks);
  indented->addWidget(m_thisSchedule);
  indented->addWidget(hint);
  fromLayout->addLayout(indented);
  FollowFromCalendar(intake.fromCalendar);
  connect(m_fromCalendar, &QCheckBox::toggled, this, [this](bool on) {
    // Switching the calendar's changes on makes this schedule the one that receives them.
    if (on) m_thisSchedule->setChecked(true);
    FollowFromCalendar(on);
  });

  m_folder = new QLineEdit(Q(CalendarFolderOf(m_settings, m_dataFolder).string()));
  m_browse = new QPushButton(t::kBrowse);
  connect(m_browse, &QPushButton::clicked, this, &SyncSettingsDialog::Browse);
  m_folderKind = new QRadioButton(t::kFolderKind);
  m_serverKind = new QRadioButton(t::kServerKind);
  const bool server = ServerCalendarChosen(m_settings);
  (server ? m_serverKind : m_folderKind)->setChecked(true);
  auto* folderRow = new QHBoxLayout();
  folderRow->setContentsMargins(24, 0, 0, 0);
  folderRow->addWidget(m_folder, 1);
  folderRow->addWidget(m_browse);
  m_folder->setAccessibleName(QString::fromUtf8(t::kFolderLabel).remove(QLatin1Char('&')));

  m_serverUrl = new QLineEdit(Q(m_settings.ReadString(key::kCalendarServerUrl)));
  m_serverUrl->setPlaceholderText(t::kServerUrlHint);
  m_serverUser = new QLineEdit(Q(m_settings.ReadString(key::kCalendarServerUser)));
  m_serverPassword = new QLineEdit();
  m_serverPassword->setEchoMode(QLineEdit::Password);
  m_serverPassword->setPlaceholderText(t::kServerPasswordHint);
  auto* serverForm = new QFormLayout();
  serverForm->setContentsMargins(24, 0, 0, 0);
  serverForm->addRow(t::kServerUrlLabel, m_serverUrl);
  serverForm->addRow(t::kServerUserLabel, m_serverUser);
  serverForm->addRow(t::kServerPasswordLabel, m_serverPassword);
  auto* passwordNote = new QLabel(t::kServerPasswordNote);
  passwordNote->setWordWrap(true);
  passwordNote->setEnabled(false);
  serverForm->addRow(passwordNote);

  auto* calendar = new QGroupBox(t::kCalendarGroup);
  auto* calendarLayout = new QVBoxLayout(calendar);
  calendarLayout->addWidget(m_folderKind);
  calendarLayout->addLayout(folderRow);
  calendarLayout->addWidget(m_serverKind);
  calendarLayout->addLayout(serverForm);
  FollowKind();
  connect(m_folderKind, &QRadioButton::toggled, this, &SyncSettingsDialog::FollowKind);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  QPushButton* help = buttons->addButton(t::kHelp, QDialogButtonBox::HelpRole);
  connect(help, &QPushButton::clicked, this, [this] { m_msg.OpenHelpTopic(t::kHelpTopic); });
  connect(buttons, &QDialogButtonBox::accepted, this, &SyncSettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &SyncSettingsDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(12);
  layout->addWidget(toCalendar);
  layout->addWidget(fromCalendar);
  layout->addWidget(calendar);
  layout->addWidget(buttons);
}

void SyncSettingsDialog::FollowToCalendar(bool on) {
  m_sendAppointments->setEnabled(on);
  m_sendTasks->setEnabled(on);
}

void SyncSettingsDialog::FollowFromCalendar(bool on) {
  m_takeAppointments->setEnabled(on);
  m_takeTasks->setEnabled(on);
  m_thisSchedule->setEnabled(on);
}

void SyncSettingsDialog::FollowKind() {
  const bool server = m_serverKind->isChecked();
  m_folder->setEnabled(!server);
  m_browse->setEnabled(!server);
  m_serverUrl->setEnabled(server);
  m_serverUser->setEnabled(server);
  m_serverPassword->setEnabled(server);
}

void SyncSettingsDialog::KeepPassword(const std::string& url, const std::string& user,
                                      const std::string& password) {
  std::string why;
  const SecretStore::Saved saved = m_passwords.store != nullptr
                                       ? m_passwords.store->Save(url, user, password, why)
                                       : SecretStore::Saved::kNoStore;
  // This session's memory holds the newest one too, so that a question of the companion is
  // never answered with one given before; without a store it is the only copy.
  if (m_passwords.memory != nullptr) m_passwords.memory->Keep(url, user, password);
  if (saved == SecretStore::Saved::kSaved) return;
  if (saved == SecretStore::Saved::kNoStore) {
    m_msg.InformationMessage(t::kNoSecretStore);
  } else {
    m_msg.InformationMessage(QString(t::kSecretNotSaved).arg(Q(why)).toStdString());
  }
}

void SyncSettingsDialog::Browse() {
  const QString chosen =
      QFileDialog::getExistingDirectory(this, t::kBrowseCaption, m_folder->text());
  if (!chosen.isEmpty()) m_folder->setText(chosen);
}

void SyncSettingsDialog::accept() {
  // The calendar chosen is checked before anything is taken over.
  const bool server = m_serverKind->isChecked();
  const std::string folder = m_folder->text().trimmed().toStdString();
  const std::string url = m_serverUrl->text().trimmed().toStdString();
  const std::string user = m_serverUser->text().trimmed().toStdString();
  const std::string password = m_serverPassword->text().toStdString();
  auto refuse = [this](const std::string& text, QLineEdit* field) {
    m_msg.ErrorMessage(text);
    field->setFocus();
    field->selectAll();
  };
  const std::filesystem::path folderPath(folder);
  if (server) {
    if (!ServerUrlReads(url)) return refuse(t::kServerUrlBad, m_serverUrl);
    if (!user.empty() && LoginInClear(url) &&
        m_msg.Question(QString(t::kPasswordInClear)
                           .arg(QUrl(Q(url)).host())
                           .toStdString()) != kIdYes) {
      m_serverUrl->setFocus();
      return;
    }
  } else {
    if (folder.empty()) return refuse(t::kFolderEmpty, m_folder);
    if (!folderPath.is_absolute()) return refuse(t::kFolderNotAbsolute, m_folder);
    std::error_code ec;
    if (std::filesystem::exists(folderPath, ec) && !std::filesystem::is_directory(folderPath, ec))
      return refuse(t::kFolderIsAFile + folder, m_folder);
  }

  bool written = true;
  auto setInt = [&](const char* name, bool on) {
    const int value = on ? 1 : 0;
    if (m_program.IntValue(name) == value) return;
    m_program.SetIntValue(name, value);
    written = m_program.WriteInt(m_settings, name) && written;
    m_changed = true;
  };
  setInt(key::kPlovenOutlook, m_toCalendar->isChecked());
  setInt(key::kPlovenToOutlookAppts, m_sendAppointments->isChecked());
  setInt(key::kPlovenToOutlookTasks, m_sendTasks->isChecked());
  setInt(key::kOutlookToPloven, m_fromCalendar->isChecked());
  setInt(key::kOutlookToPlovenAppts, m_takeAppointments->isChecked());
  setInt(key::kOutlookToPlovenTasks, m_takeTasks->isChecked());

  auto setString = [&](const char* name, const std::string& value, const std::string& before) {
    if (value == before) return;
    written = m_settings.WriteString(name, value) && written;
    m_changed = true;
  };
  const std::string receiving =
      m_thisSchedule->isChecked() && !m_openPath.empty() ? m_openPath : kReceivingIsOpenSchedule;
  setString(key::kOutlookToPlovenPakPath, receiving,
            m_settings.ReadString(key::kOutlookToPlovenPakPath, kReceivingIsOpenSchedule));
  // Another kind, server or user is another calendar: the companion starts afresh on it.
  const bool wasServer = ServerCalendarChosen(m_settings);
  const std::string urlBefore = m_settings.ReadString(key::kCalendarServerUrl);
  const std::string userBefore = m_settings.ReadString(key::kCalendarServerUser);
  if (server) {
    m_calendarChanged = !wasServer || url != urlBefore || user != userBefore;
    setString(key::kCalendarKind, key::kCalendarKindServer,
              wasServer ? key::kCalendarKindServer : "");
    setString(key::kCalendarServerUrl, url, urlBefore);
    setString(key::kCalendarServerUser, user, userBefore);
    if (!password.empty()) {
      KeepPassword(url, user, password);
      m_calendarChanged = true;
      m_changed = true;
    }
  } else {
    m_calendarChanged = wasServer;
    setString(key::kCalendarKind, key::kCalendarKindFolder,
              wasServer ? "" : m_settings.ReadString(key::kCalendarKind, key::kCalendarKindFolder));
    setString(key::kCalendarFolder, folderPath.lexically_normal().string(),
              CalendarFolderOf(m_settings, m_dataFolder).string());
  }
  m_serverPassword->clear();
  if (!written) m_msg.ErrorMessage(t::kNotWritten);
  QDialog::accept();
}

SyncSettingsOutcome RunSyncSettingsDialog(QWidget* owner, ProgramSettings& program,
                                          Settings& settings, Messages& msg,
                                          const std::string& openPath,
                                          const std::filesystem::path& dataFolder,
                                          ServerPasswordPlaces passwords) {
  SyncSettingsDialog dialog(program, settings, msg, openPath, dataFolder, passwords, owner);
  if (dialog.exec() != QDialog::Accepted) return {};
  return {dialog.changed(), dialog.calendarChanged()};
}

}  // namespace ploven
