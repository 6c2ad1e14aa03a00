#include "app/desktop_notices.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QStringList>
#include <QVariantMap>

#include "alarm/alarm_messages.h"

namespace ploven {

namespace {

constexpr char kService[] = "org.freedesktop.Notifications";
constexpr char kPath[] = "/org/freedesktop/Notifications";
constexpr char kInterface[] = "org.freedesktop.Notifications";
constexpr char kActionSnooze[] = "snooze";
constexpr char kActionDone[] = "done";
constexpr char kActionDismiss[] = "dismiss";
constexpr uchar kUrgencyCritical = 2;
constexpr int kCallTimeoutMs = 2000;

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

DesktopNotices::DesktopNotices(QDBusConnection bus, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)) {
  if (!m_bus.isConnected()) return;
  m_bus.connect(kService, kPath, kInterface, "ActionInvoked", this,
                SLOT(OnActionInvoked(uint, QString)));
  m_bus.connect(kService, kPath, kInterface, "NotificationClosed", this,
                SLOT(OnClosed(uint, uint)));
}

void DesktopNotices::Post(const AlarmNotice& notice) {
  Posted& p = m_posted[notice.occurrence];
  p.notice = notice;
  p.answer = NoticeAnswer::kNone;
  if (!m_bus.isConnected()) return;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, "Notify");
  QVariantMap hints;
  hints["urgency"] = QVariant::fromValue(kUrgencyCritical);
  hints["desktop-entry"] = QString("ploven");
  hints["category"] = QString("x-ploven.alarm");
  const QStringList actions{kActionSnooze,  alarm_text::kNoticeSnooze,
                            kActionDone,    alarm_text::kNoticeDone,
                            kActionDismiss, alarm_text::kNoticeDismiss};
  call << QString("Ploven") << p.id << QString("ploven") << Q(notice.summary) << Q(notice.body)
       << actions << hints << int(0);
  const QDBusMessage reply = m_bus.call(call, QDBus::Block, kCallTimeoutMs);
  // No service (or a broken one): the box rings alone.
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return;
  p.id = reply.arguments().constFirst().toUInt();
  p.showing = true;
}

void DesktopNotices::Withdraw(const std::string& occurrence) {
  auto it = m_posted.find(occurrence);
  if (it == m_posted.end() || !it->second.showing || !m_bus.isConnected()) return;
  it->second.showing = false;
  QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, "CloseNotification");
  call << it->second.id;
  m_bus.call(call, QDBus::Block, kCallTimeoutMs);
}

NoticeAnswer DesktopNotices::TakeAnswer(const std::string& occurrence) {
  auto it = m_posted.find(occurrence);
  if (it == m_posted.end()) return NoticeAnswer::kNone;
  const NoticeAnswer a = it->second.answer;
  it->second.answer = NoticeAnswer::kNone;
  return a;
}

DesktopNotices::Posted* DesktopNotices::FindById(uint id) {
  for (auto& [occurrence, p] : m_posted)
    if (p.showing && p.id == id) return &p;
  return nullptr;
}

void DesktopNotices::OnActionInvoked(uint id, const QString& action) {
  Posted* p = FindById(id);
  if (p == nullptr) return;
  const NoticeAnswer a = action == kActionSnooze    ? NoticeAnswer::kSnooze
                         : action == kActionDone    ? NoticeAnswer::kDone
                         : action == kActionDismiss ? NoticeAnswer::kDismiss
                                                    : NoticeAnswer::kNone;
  if (a == NoticeAnswer::kNone) return;
  p->answer = a;
  if (m_answered) m_answered(p->notice, a);
}

void DesktopNotices::OnClosed(uint id, uint /*reason*/) {
  // Closed without an answer (expired, or dismissed by the user): the box stays.
  if (Posted* p = FindById(id)) p->showing = false;
}

}  // namespace ploven
