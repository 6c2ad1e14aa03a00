#include "platform/messages.h"

#include <algorithm>
#include <cstdlib>

#include "platform/error_log.h"
#include "platform/event_trace.h"
#include "platform/format.h"
#include "platform/ini_file.h"
#include "platform/platform_messages.h"
#include "platform/settings.h"
#include "platform/settings_keys.h"

namespace ploven {

namespace {

// Call-site numbers of the reports raised here.
constexpr int kCaptionTooLongLine = 101;

constexpr uint32_t kCheckBoxBits = kMbDontWarnAgain | kMbDontTellAgain | kMbDontShowAgain;
constexpr int kLongestWait = 999;  // longer countdowns and disabled times become 10 seconds
constexpr int kCustomCaptionLimit = 4;

// Keeps a gated text registered while its box is open, however the box ends.
class GateEntry {
 public:
  GateEntry(std::vector<std::string>& texts, const std::string& text) : m_texts(texts) {
    m_texts.push_back(text);
  }
  ~GateEntry() { m_texts.pop_back(); }
  GateEntry(const GateEntry&) = delete;
  GateEntry& operator=(const GateEntry&) = delete;

 private:
  std::vector<std::string>& m_texts;
};

BoxRequest SimpleBox(const std::string& text, const std::string& caption, BoxIcon icon,
                     BoxModality modality) {
  BoxRequest box;
  box.text = text;
  box.caption = caption;
  box.icon = icon;
  box.modality = modality;
  box.buttons = {{msg::kOk, kIdOk}};
  box.closeCode = kIdOk;
  return box;
}

BoxRequest YesNoBox(const std::string& text, const std::string& caption, int defaultIndex) {
  BoxRequest box;
  box.text = text;
  box.caption = caption;
  box.icon = BoxIcon::kInformation;
  box.buttons = {{msg::kYes, kIdYes}, {msg::kNo, kIdNo}};
  box.defaultIndex = defaultIndex;
  return box;  // a Yes/No box has no way out but its buttons
}

// "%s" in the format takes the argument and "%%" is a percent sign; nothing else
// is a directive, so a stray "%d" cannot read what is not there.
std::string FormatWithPath(const std::string& format, const std::string& argument) {
  std::string out;
  bool used = false;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      if (format[i + 1] == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (format[i + 1] == 's' && !used) {
        out += argument;
        used = true;
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

std::vector<BoxButton> StandardButtons(uint32_t style) {
  const bool yesToAll = (style & kMbToAll) != 0;
  const bool noToAll = (style & kMbToAll2) != 0;
  std::vector<BoxButton> b;
  switch (style & 0xF) {
    case kMbOkCancel:
      b = {{msg::kOk, kIdOk}, {msg::kCancel, kIdCancel}};
      break;
    case kMbAbortRetryIgnore:
      b = {{msg::kAbort, kIdAbort}, {msg::kRetry, kIdRetry}, {msg::kIgnore, kIdIgnore}};
      if (yesToAll) b.push_back({msg::kIgnoreAll, kIdIgnoreAll});
      break;
    case kMbYesNoCancel:
    case kMbYesNo:
      b.push_back({msg::kYes, kIdYes});
      if (yesToAll) b.push_back({msg::kYesToAll, kIdYesToAll});
      b.push_back({msg::kNo, kIdNo});
      if (noToAll) b.push_back({msg::kNoToAll, kIdNoToAll});
      if ((style & 0xF) == kMbYesNoCancel) b.push_back({msg::kCancel, kIdCancel});
      break;
    case kMbRetryCancel:
      b = {{msg::kRetry, kIdRetry}, {msg::kCancel, kIdCancel}};
      break;
    case kMbCancelTryContinue:
      b = {{msg::kCancel, kIdCancel}, {msg::kTryAgain, kIdTryAgain}, {msg::kContinue, kIdContinue}};
      break;
    case kMbSkipCancel:
      b.push_back({msg::kSkip, kIdSkip});
      if (yesToAll) b.push_back({msg::kSkipAll, kIdSkipAll});
      b.push_back({msg::kCancel, kIdCancel});
      break;
    default:
      b = {{msg::kOk, kIdOk}};
      break;
  }
  return b;
}

std::vector<BoxButton> CustomButtons(const std::string& captions) {
  std::vector<BoxButton> b;
  size_t start = 0;
  for (int i = 0; i < kCustomCaptionLimit && start <= captions.size(); ++i) {
    const size_t end = std::min(captions.find('\n', start), captions.size());
    std::string caption = captions.substr(start, end - start);
    if (!caption.empty()) b.push_back({std::move(caption), kIdCustom1 + i});
    start = end + 1;
  }
  return b;
}

BoxIcon IconOf(uint32_t style) {
  switch (style & 0xF0) {
    case kMbIconStop:
      return BoxIcon::kError;
    case kMbIconQuestion:
      return BoxIcon::kQuestion;
    case kMbIconExclamation:
      return BoxIcon::kExclamation;
    case kMbIconInformation:
      return BoxIcon::kInformation;
    default:
      return BoxIcon::kNone;
  }
}

int Wait(int seconds) {
  if (seconds > kLongestWait) return 10;
  return std::max(seconds, 0);
}

bool HasButton(const BoxRequest& box, int code) {
  return std::any_of(box.buttons.begin(), box.buttons.end(),
                     [code](const BoxButton& b) { return b.code == code; });
}

}  // namespace

Messages::Messages(Ui& ui, const Clock& clock, ErrorLog& log, EventTrace& trace)
    : m_ui(ui), m_clock(clock), m_log(log), m_trace(trace) {
  if (!m_trace.HasLog()) m_trace.AttachLog(m_log);
}

std::string Messages::Caption() const {
  std::string caption = m_userName.empty()
                            ? std::string(msg::kProductName)
                            : Sprintf(msg::kCaptionFormat, msg::kProductName, m_userName.c_str());
  if (caption.size() >= static_cast<size_t>(msg::kCaptionLimit))
    Fatal(msg::kMsgCaptionTooLong, msg::kMsgModule, kCaptionTooLongLine);
  return caption;
}

BoxAnswer Messages::Show(const BoxRequest& box) const {
  // LastMessage names the innermost box; the outer one's text returns when it closes.
  struct Restore {
    std::string& target;
    std::string saved;
    ~Restore() { target = std::move(saved); }
  } restore{m_lastMessage, m_lastMessage};
  m_lastMessage = box.text.substr(0, msg::kLastMessageLimit);
  return m_ui.ShowBox(box);
}

bool Messages::GateIsOpen(const std::string& text) const {
  return std::any_of(m_gateTexts.begin(), m_gateTexts.end(),
                     [&](const std::string& open) { return EqualsNoCase(open, text); });
}

int Messages::ErrorMessage(const std::string& text) {
  if (GateIsOpen(text)) return 0;
  GateEntry gate(m_gateTexts, text);
  m_log.Append(text);
  m_ui.Beep();
  Show(SimpleBox(text, Caption(), BoxIcon::kExclamation, BoxModality::kTaskModal));
  return 0;
}

int Messages::ErrorMessageWithPath(const std::string& format, const std::string& argument) {
  const std::string text = FormatWithPath(format, argument);
  if (GateIsOpen(text)) return 0;
  GateEntry gate(m_gateTexts, text);
  m_log.Append(text);
  Show(SimpleBox(text, Caption(), BoxIcon::kExclamation, BoxModality::kTaskModal));
  return 0;
}

int Messages::InformationMessage(const std::string& text) {
  if (GateIsOpen(text)) return 0;
  GateEntry gate(m_gateTexts, text);
  return Show(SimpleBox(text, Caption(), BoxIcon::kInformation, BoxModality::kOwned)).code;
}

int Messages::PlainMessage(const std::string& text, const std::string& caption) {
  Show(SimpleBox(text, caption, BoxIcon::kNone, BoxModality::kOwned));
  return 0;
}

int Messages::OwnedInformationMessage(const std::string& text) {
  Show(SimpleBox(text, Caption(), BoxIcon::kInformation, BoxModality::kOwned));
  return 0;
}

int Messages::QuestionNoDefault(const std::string& text) {
  // A question already on screen is not asked twice; the caller gets the safe answer.
  if (GateIsOpen(text)) return kIdNo;
  GateEntry gate(m_gateTexts, text);
  return Show(YesNoBox(text, Caption(), 1)).code == kIdYes ? kIdYes : kIdNo;
}

int Messages::Question(const std::string& text) {
  if (GateIsOpen(text)) return kIdNo;
  GateEntry gate(m_gateTexts, text);
  return Show(YesNoBox(text, Caption(), 0)).code == kIdYes ? kIdYes : kIdNo;
}

int Messages::SystemModalError(const std::string& text) {
  Show(SimpleBox(text, Caption(), BoxIcon::kError, BoxModality::kSystemModal));
  return 0;
}

bool Messages::Trace(int eventNumber, const TraceContext& context) {
  const LogStamp stamp = LogStampAt(m_clock.EpochSeconds());
  std::string entry =
      Sprintf(msg::kTraceEntry, stamp.date.c_str(), stamp.time.c_str(), eventNumber,
              context.saveInProgress ? 1 : 0, context.viewMode, context.viewedDate.c_str());
  if (context.selected) {
    const TraceContext::Item& item = *context.selected;
    entry += Sprintf(msg::kTraceItem, item.handle, item.flags, item.recurrence.c_str(),
                     item.flexible ? 'Y' : 'N');
  }
  return m_trace.Add(std::move(entry));
}

bool Messages::LogLine(const std::string& line) { return m_log.Append(line); }

bool Messages::OpenHelpTopic(const std::string& topic) {
  // Help that cannot be shown is not an error the user needs to hear about.
  m_ui.OpenHelpTopic(topic);
  return true;
}

void Messages::LogShutdown() {
  m_log.Append(msg::kShutdownLogLine);
  m_log.Trim();
}

void Messages::ResourceError(std::string_view module, int line) {
  const std::string text =
      std::string(msg::kMemoryFull) + "\n\n" +
      Sprintf(msg::kResourceErrorCondition, PLOVEN_VERSION, std::string(module).c_str(), line);
  m_log.Append(text);
  m_ui.Beep();
  Show(SimpleBox(text, Caption(), BoxIcon::kError, BoxModality::kOwned));
}

void Messages::InternalError(const std::string& message, std::string_view module, int line) {
  Fatal(message, module, line);
}

void Messages::Fatal(const std::string& message, std::string_view module, int line) const {
  if (m_shuttingDown) {
    // Raised again while the first report runs: end at once rather than report forever.
    m_log.Append(message);
    m_ui.ShutDown(1);
    std::_Exit(1);
  }
  m_shuttingDown = true;

  ShutdownFacts facts;
  if (m_facts) facts = m_facts();
  if (facts.releaseWriteLock) facts.releaseWriteLock();

  const std::string moduleName(module);
  const std::string condition =
      Sprintf(msg::kInternalCondition, PLOVEN_VERSION, moduleName.c_str(), line);

  m_log.Append(message);
  m_trace.Dump();
  const LogStamp stamp = LogStampAt(m_clock.EpochSeconds());
  m_log.AppendRaw(
      Sprintf(msg::kInternalLogLine, stamp.date.c_str(), stamp.time.c_str(), condition.c_str()));
  m_log.AppendRaw("");

  const bool scheduleReader = EqualsNoCase(moduleName, msg::kScheduleReaderModule);
  std::string text = msg::kInternalApology;
  text += message;
  text += "\n\n\n";
  if (scheduleReader) {
    text += msg::kInternalCorrupt1;
    text += msg::kInternalCorrupt2;
  }
  if (facts.unsavedChanges || facts.saveInProgress) {
    const double ago = m_clock.EpochSeconds() - facts.lastAutosaveEpochSeconds;
    const int seconds = ago > 0 && ago < 2e9 ? static_cast<int>(ago) : 0;
    text += Sprintf(msg::kInternalSavedAgo, seconds);
  } else {
    text += msg::kInternalAllSaved;
  }

  try {
    m_ui.OpenHelpTopic(scheduleReader ? msg::kTroubleshootingTopic : msg::kErrorMessagesTopic);
  } catch (...) {
    // Help is a courtesy; the report goes on without it.
  }
  text += scheduleReader ? msg::kInternalReadTroubleshooting : msg::kInternalReadErrorMessages;
  text += msg::kInternalLaunchHelp;
  text += msg::kInternalSupportContact;
  text += Sprintf(msg::kInternalReportCondition, condition.c_str());
  text += msg::kInternalCutAndPaste;
  text += msg::kInternalClickOk;

  MultiButtonParams params;
  params.customCaptions = msg::kInternalButton;
  try {
    MultiButton(text, msg::kInternalCaption, kMbSystemModal | kMbIconInformation, params);
  } catch (...) {
    // The program ends whether or not the report could be shown.
  }
  m_ui.ShutDown(1);
  std::_Exit(1);  // a port that came back still must not let the program go on
}

int Messages::MultiButtonBox(const std::string& text, const std::string& caption, uint32_t style,
                             const MultiButtonParams& params) {
  return MultiButton(text, caption, style, params);
}

int Messages::MultiButton(const std::string& text, const std::string& caption, uint32_t style,
                          const MultiButtonParams& params) const {
  uint32_t checkBit = 0;
  const char* checkText = nullptr;
  if (style & kMbDontWarnAgain) {
    checkBit = kMbDontWarnAgain;
    checkText = msg::kDontWarnAgain;
  } else if (style & kMbDontTellAgain) {
    checkBit = kMbDontTellAgain;
    checkText = msg::kDontTellAgain;
  } else if (style & kMbDontShowAgain) {
    checkBit = kMbDontShowAgain;
    checkText = msg::kDontShowAgain;
  }

  // A remembered answer is given without showing the box.
  std::string doNotAskKey;
  if (checkBit != 0 && !params.module.empty()) {
    doNotAskKey = params.module + std::to_string(params.number);
    if (m_settings != nullptr) {
      const std::string stored = m_settings->ReadPrivate(kDoNotAskSection, doNotAskKey);
      char* end = nullptr;
      const unsigned long value = std::strtoul(stored.c_str(), &end, 16);
      if (end != stored.c_str() && (value & kCheckBoxBits) != 0)
        return static_cast<int>(static_cast<uint32_t>(value));
    }
  }

  BoxRequest box;
  box.text = text;
  box.caption = caption.empty() ? std::string(msg::kDefaultBoxCaption) : caption;
  box.icon = IconOf(style);
  box.modality = (style & kMbSystemModal) ? BoxModality::kSystemModal
                 : (style & kMbTaskModal) ? BoxModality::kTaskModal
                                          : BoxModality::kOwned;
  box.plainSystemBox = (style & 0xF0) == kMbIconStop && (style & kMbSystemModal) != 0;
  box.buttons =
      params.customCaptions.empty() ? StandardButtons(style) : CustomButtons(params.customCaptions);
  if (box.buttons.empty()) box.buttons = {{msg::kOk, kIdOk}};
  if (params.report) box.buttons.push_back({msg::kReport, kIdReport});
  if (style & kMbHelp) box.buttons.push_back({msg::kHelp, kIdHelp});
  const size_t defaultIndex = (style & 0xF00) >> 8;
  box.defaultIndex = defaultIndex < box.buttons.size() ? static_cast<int>(defaultIndex) : 0;
  if (!box.plainSystemBox) {
    if (checkText != nullptr) box.checkBoxText = checkText;
    box.countdownSeconds = Wait(params.countdownSeconds);
    box.disabledSeconds = Wait(params.disabledSeconds);
  }
  box.x = params.x;
  box.y = params.y;
  box.foreground = (params.options & 0x1) != 0;
  box.topmost = (params.options & 0x4) != 0;

  // Escape and the close box mean Cancel when there is one, OK when OK is the
  // only way out, and nothing otherwise.
  const bool hasCancel = HasButton(box, kIdCancel);
  const bool onlyOk = std::all_of(box.buttons.begin(), box.buttons.end(), [](const BoxButton& b) {
    return b.code == kIdOk || b.code == kIdHelp || b.code == kIdReport;
  });
  box.closeCode = hasCancel ? kIdCancel : (onlyOk && HasButton(box, kIdOk) ? kIdOk : 0);

  const bool silent =
      (style & kMbNoBeep) != 0 ||
      (m_settings != nullptr && m_settings->ReadInt(key::kAlarmsSilent, EncodedDefault(0)) != 0);
  if (!silent) m_ui.Beep();

  for (;;) {
    const BoxAnswer answer = Show(box);
    uint32_t code = static_cast<uint32_t>(answer.code);
    if (answer.code == kIdHelp && HasButton(box, kIdHelp)) {
      m_ui.OpenHelpTopic(params.helpContext == 0
                             ? std::string(msg::kHelpContentsTopic)
                             : Sprintf(msg::kHelpContextTopic, params.helpContext));
      continue;  // Help leaves the box open
    }
    if (answer.code == kIdReport && params.report) {
      params.report();
      continue;
    }
    if (!HasButton(box, answer.code)) {
      // Escape or the close box.
      if (box.closeCode == 0) continue;
      code = static_cast<uint32_t>(box.closeCode);
    }
    if (answer.timedOut) code |= kMbTimedOut;
    if (answer.checked && checkBit != 0) {
      code |= checkBit;
      if (!doNotAskKey.empty() && m_settings != nullptr)
        m_settings->WritePrivate(kDoNotAskSection, doNotAskKey, Sprintf(msg::kDoNotAskValue, code));
    }
    return static_cast<int>(code);
  }
}

}  // namespace ploven
