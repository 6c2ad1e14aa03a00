#include "dialogs/world_clock_window.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTimeZone>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogs/tools_dialog_messages.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"
#include "platform/zone_list.h"

namespace ploven {

namespace t = tools_dialog_text;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

void FillZones(QComboBox* box) {
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
    const QString name = QString::fromUtf8(id);
    box->addItem(name, name);
  }
}

QString TimeIn(const QTimeZone& zone, const QDateTime& now) {
  const QDateTime there = now.toTimeZone(zone);
  return QLocale().toString(there, QStringLiteral("ddd h:mm ap"));
}

QString OffsetText(const QByteArray& zone) {
  const std::string offset = OffsetFromHereText(ZoneOffsetFromHere(zone));
  return offset.empty() ? QString(t::kSameAsHere) : QString(t::kFromHere).arg(Q(offset));
}

}  // namespace

int ZoneOffsetFromHere(const QByteArray& zone) {
  const QDateTime now = QDateTime::currentDateTime();
  const QTimeZone there(zone);
  if (!there.isValid()) return 0;
  return (there.offsetFromUtc(now) - now.offsetFromUtc()) / 60;
}

WorldClockWindow::WorldClockWindow(Settings& settings, QWidget* owner)
    : QDialog(owner), m_settings(settings) {
  setWindowTitle(t::kWorldClockTitle);
  setObjectName("WorldClocks");
  setModal(false);
  m_clocks = new QTreeWidget;
  m_clocks->setColumnCount(3);
  m_clocks->setHeaderHidden(true);
  m_clocks->setRootIsDecorated(false);
  m_clocks->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_empty = new QLabel(t::kNoClocks);
  m_empty->setWordWrap(true);
  m_their = new QComboBox;
  FillZones(m_their);
  m_theirTime = new QLabel;
  m_ticker = new QLabel(t::kTickerUnavailable);
  m_ticker->setEnabled(false);

  auto* their = new QHBoxLayout;
  auto* theirLabel = new QLabel(t::kTheirTimeLabel);
  theirLabel->setBuddy(m_their);
  their->addWidget(theirLabel);
  their->addWidget(m_their, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_clocks);
  layout->addWidget(m_empty);
  layout->addLayout(their);
  layout->addWidget(m_theirTime);
  layout->addWidget(m_ticker);
  resize(460, 320);

  const QString last = Q(settings.ReadString(key::kTheirTimeZone));
  const int at = m_their->findData(last.isEmpty() ? QString::fromUtf8(QTimeZone::systemTimeZoneId())
                                                  : last);
  if (at >= 0) m_their->setCurrentIndex(at);
  connect(m_their, &QComboBox::currentIndexChanged, this, &WorldClockWindow::TheirZoneChosen);
  connect(&m_timer, &QTimer::timeout, this, &WorldClockWindow::Tick);
  m_timer.start(1000);
  Reload();
}

void WorldClockWindow::Reload() {
  m_zones = ParseZoneList(m_settings.ReadString(key::kWorldClockZones));
  m_clocks->clear();
  for (const std::string& zone : m_zones) {
    auto* row = new QTreeWidgetItem(m_clocks);
    row->setText(0, Q(ZoneCityName(zone)));
    row->setToolTip(0, Q(zone));
  }
  m_clocks->setVisible(!m_zones.empty());
  m_empty->setVisible(m_zones.empty());
  Tick();
}

void WorldClockWindow::Tick() {
  const QDateTime now = QDateTime::currentDateTime();
  for (int i = 0; i < m_clocks->topLevelItemCount(); ++i) {
    const QByteArray id = QByteArray::fromStdString(m_zones[static_cast<size_t>(i)]);
    const QTimeZone zone(id);
    QTreeWidgetItem* row = m_clocks->topLevelItem(i);
    if (!zone.isValid()) {
      row->setText(1, QStringLiteral("?"));
      continue;
    }
    row->setText(1, TimeIn(zone, now));
    row->setText(2, OffsetText(id));
  }
  const QByteArray theirs = m_their->currentData().toString().toUtf8();
  const QTimeZone zone(theirs);
  m_theirTime->setText(zone.isValid() ? TimeIn(zone, now) + QStringLiteral(" (") +
                                            OffsetText(theirs) + QStringLiteral(")")
                                      : QString());
}

void WorldClockWindow::TheirZoneChosen() {
  m_settings.WriteString(key::kTheirTimeZone, m_their->currentData().toString().toStdString());
  Tick();
}

void WorldClockWindow::FocusTheirTime() {
  m_their->setFocus();
  m_their->lineEdit()->selectAll();
}

ZoneListDialog::ZoneListDialog(Settings& settings, bool worldClocks, QWidget* owner)
    : QDialog(owner), m_settings(settings) {
  setWindowTitle(worldClocks ? t::kWorldClocksTitle : t::kZonesTitle);
  setObjectName("ZoneList");
  auto* hint = new QLabel(t::kZonesHint);
  hint->setWordWrap(true);
  auto* here =
      new QLabel(QString(t::kHereZone).arg(QString::fromUtf8(QTimeZone::systemTimeZoneId())));
  m_zone = new QComboBox;
  FillZones(m_zone);
  auto* add = new QPushButton(t::kAddZone);
  auto* remove = new QPushButton(t::kRemoveZone);
  m_list = new QListWidget;
  for (const std::string& z : ParseZoneList(settings.ReadString(key::kWorldClockZones)))
    m_list->addItem(Q(z));
  auto* row = new QHBoxLayout;
  row->addWidget(m_zone, 1);
  row->addWidget(add);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint);
  layout->addWidget(here);
  layout->addLayout(row);
  layout->addWidget(m_list);
  layout->addWidget(remove);
  if (worldClocks) {
    auto* ticker = new QLabel(t::kTickerUnavailable);
    ticker->setEnabled(false);
    layout->addWidget(ticker);
  }
  layout->addWidget(buttons);
  connect(add, &QPushButton::clicked, this, &ZoneListDialog::AddChosen);
  connect(remove, &QPushButton::clicked, this, &ZoneListDialog::RemoveSelected);
  connect(buttons, &QDialogButtonBox::accepted, this, &ZoneListDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &ZoneListDialog::reject);
}

void ZoneListDialog::AddChosen() {
  // What is typed counts when it names a zone; the list keeps each zone once.
  const QString typed = m_zone->currentText().trimmed();
  if (!QTimeZone(typed.toUtf8()).isValid()) return;
  if (!m_list->findItems(typed, Qt::MatchExactly).isEmpty()) return;
  m_list->addItem(typed);
}

void ZoneListDialog::RemoveSelected() { delete m_list->currentItem(); }

std::vector<std::string> ZoneListDialog::zones() const {
  std::vector<std::string> z;
  for (int i = 0; i < m_list->count(); ++i) z.push_back(m_list->item(i)->text().toStdString());
  return z;
}

void ZoneListDialog::accept() {
  m_settings.WriteString(key::kWorldClockZones, FormatZoneList(zones()));
  QDialog::accept();
}

}  // namespace ploven
