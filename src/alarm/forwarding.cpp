#include "alarm/forwarding.h"

#include <cctype>

#include "alarm/alarm_messages.h"
#include "alarm/triggered_launch.h"
#include "platform/format.h"
#include "recur/recurrences.h"
#include "store/calendar.h"

namespace ploven {

namespace t = alarm_text;

namespace {

constexpr size_t kTextEntryShortest = 13;  // "sms" and ten digits ...
constexpr size_t kTextEntryLongest = 14;   // ... or "sms1" and ten digits
constexpr size_t kTextNumberLength = 10;
constexpr int kTrailerBlanks = 89;

std::string OneLine(const std::string& s) {
  std::string out;
  for (char c : s) out += (c == '\r' || c == '\n') ? ' ' : c;
  return out;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

// The mail command takes the message on its input; its exit status says whether it took it.
bool SendMail(AlarmServices& x, const std::string& to, const std::string& subject,
              const std::string& body) {
  if (to.empty() || subject.empty() || body.empty()) {
    x.msg.ErrorMessage(t::kEmailMissingParts);
    return false;
  }
  const std::vector<std::string> argv = SplitCommandLine(x.settings.mailCommand);
  if (argv.empty()) return false;
  const ProcessResult r = x.device.RunAndWait(argv, MailMessage(to, subject, body));
  return r.started && r.exitCode == 0;
}

void Email(AlarmServices& x, const std::string& to, ActHandle item, DayNumber today,
           TimeOfDay now) {
  Schedule& s = x.recurrences.schedule();
  x.device.ShowProgress(t::kLooksLikeEmail);
  if (to.size() > kLongestPagerNumber) {
    x.device.CloseProgress();
    x.msg.ErrorMessage(t::kEmailTooLong);
    return;
  }
  const std::string time = FormatTime(now, x.text);
  const std::string subject = Sprintf(t::kEmailSubject, time.c_str(), s.GetActTitle(item).c_str());
  std::string body = s.GetActTitleFull(item);
  body += std::string(kTrailerBlanks, ' ');
  body += "\n";
  body += Sprintf(t::kEmailTrailer, time.c_str(), WeekdayName(Weekday(today), x.text).c_str(),
                  FormatDate(today, x.text).c_str());
  body += "\n";
  x.device.ShowProgress(t::kPuttingEmail);
  const bool sent = SendMail(x, to, subject, body);
  x.device.CloseProgress();
  if (sent)
    x.msg.InformationMessage(Sprintf(t::kEmailSent, to.c_str()));
  else
    x.msg.ErrorMessage(t::kEmailRefused);
}

void Text(AlarmServices& x, const std::string& entry, ActHandle item) {
  Schedule& s = x.recurrences.schedule();
  x.device.ShowProgress(t::kLooksLikeSms);
  if (entry.size() < kTextEntryShortest || entry.size() > kTextEntryLongest) {
    x.device.CloseProgress();
    x.msg.InformationMessage(t::kSmsNorthAmericaOnly);
    return;
  }
  const std::string number = entry.substr(entry.size() - kTextNumberLength);
  const std::string to = number + "@" + x.settings.smsGatewayDomain;
  std::string body = s.GetActTitleFull(item);
  body += t::kSmsTrailer;
  x.device.ShowProgress(t::kPuttingSms);
  const bool sent = SendMail(x, to, t::kSmsSubject, body);
  x.device.CloseProgress();
  if (sent)
    x.msg.InformationMessage(t::kSmsQueued);
  else
    x.msg.ErrorMessage(t::kEmailRefused);
}

// The Dial command with the number as its last argument, or the link through the desktop.
bool Dial(AlarmServices& x, const std::string& number, const char* scheme) {
  std::vector<std::string> argv = SplitCommandLine(x.settings.dialCommand);
  if (!argv.empty()) {
    argv.push_back(number);
    return x.device.StartDetached(argv);
  }
  std::string link = scheme;
  for (char c : number)
    if (c != ' ' && c != '\t') link += c;
  return x.device.OpenWithDesktop(link);
}

void Call(AlarmServices& x, const std::string& number, ForwardKind kind) {
  if (kind == ForwardKind::kInternetCall) {
    x.device.ShowProgress(t::kLooksLikeInternetCall);
    // Without a Dial command the desktop is the calling program; with one, it must be there.
    const std::vector<std::string> argv = SplitCommandLine(x.settings.dialCommand);
    const bool found =
        argv.empty() || argv[0].find('/') == std::string::npos || x.device.FileExists(argv[0]);
    x.device.ShowProgress(found ? t::kCallerFound : t::kCallerNotFound);
    const bool viaInternet = number.rfind("00", 0) == 0 || found;
    if (viaInternet) {
      x.device.ShowProgress(t::kDialingInternet);
      const bool ok = found && Dial(x, number, "callto:");
      x.device.CloseProgress();
      if (!ok) x.msg.ErrorMessage(t::kNoCaller);
      return;
    }
  }
  x.device.ShowProgress(t::kDialingMobile);
  x.device.ShowProgress(t::kAttemptingModem);
  x.device.ShowProgress(t::kMakingCall);
  const bool ok = Dial(x, number, "tel:");
  x.device.CloseProgress();
  if (!ok) x.msg.ErrorMessage(Sprintf(t::kCallFailed, number.c_str()));
}

}  // namespace

ForwardKind ForwardKindOf(const std::string& entry) {
  if (entry.find('@') != std::string::npos) return ForwardKind::kEmail;
  if (Lower(entry).find("sms") != std::string::npos) return ForwardKind::kText;
  if (!entry.empty() && (entry[0] == '+' || entry.rfind("00", 0) == 0 ||
                         std::isalpha(static_cast<unsigned char>(entry[0]))))
    return ForwardKind::kInternetCall;
  return ForwardKind::kPhoneCall;
}

std::string MailMessage(const std::string& to, const std::string& subject,
                        const std::string& body) {
  std::string m = "To: " + OneLine(to) + "\n";
  m += "Subject: " + OneLine(subject) + "\n";
  m += "MIME-Version: 1.0\nContent-Type: text/plain; charset=UTF-8\n\n";
  m += body;
  if (m.back() != '\n') m += '\n';
  return m;
}

void ForwardAlarm(AlarmServices& x, ActHandle item, DayNumber today, TimeOfDay now) {
  const std::string entry = Trim(x.settings.pagerNumber);
  if (entry.empty()) return;
  switch (ForwardKindOf(entry)) {
    case ForwardKind::kEmail:
      Email(x, entry, item, today, now);
      break;
    case ForwardKind::kText:
      Text(x, entry, item);
      break;
    case ForwardKind::kInternetCall:
      Call(x, entry, ForwardKind::kInternetCall);
      break;
    case ForwardKind::kPhoneCall:
      Call(x, entry, ForwardKind::kPhoneCall);
      break;
  }
}

}  // namespace ploven
