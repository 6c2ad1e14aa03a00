#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/ui.h"

namespace ploven {

class ErrorLog;
class EventTrace;
class Settings;

// Extra style bits of the multi-button box, beside the platform's own box style.
enum MultiButtonStyle : uint32_t {
  kMbOk = 0x0,
  kMbOkCancel = 0x1,
  kMbAbortRetryIgnore = 0x2,
  kMbYesNoCancel = 0x3,
  kMbYesNo = 0x4,
  kMbRetryCancel = 0x5,
  kMbCancelTryContinue = 0x6,
  kMbSkipCancel = 0x7,
  kMbIconStop = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconExclamation = 0x30,
  kMbIconInformation = 0x40,
  kMbDefButton2 = 0x100,
  kMbDefButton3 = 0x200,
  kMbDefButton4 = 0x300,
  kMbSystemModal = 0x1000,
  kMbTaskModal = 0x2000,
  kMbHelp = 0x4000,
  kMbDontWarnAgain = 0x1000000,
  kMbDontTellAgain = 0x2000000,
  kMbDontShowAgain = 0x4000000,
  kMbToAll = 0x8000000,
  kMbToAll2 = 0x10000000,
  kMbNoBeep = 0x40000000,
  kMbTimedOut = 0x80000000,  // added to the code when the countdown pressed the button
};

struct MultiButtonParams {
  std::string customCaptions;  // up to four, "\n" between them: codes 23, 24, 25, 26
  int countdownSeconds = 0;
  int disabledSeconds = 0;
  int x = 0, y = 0;
  std::string module;          // with number: the "DoNotAsk" key
  int number = 0;
  int helpContext = 0;
  std::function<void()> report;  // the Re&port button
  uint32_t options = 0;          // 0x1 foreground, 0x4 topmost
};

// What the internal-error report needs to know about the schedule's safety.
struct ShutdownFacts {
  bool unsavedChanges = false;
  bool saveInProgress = false;
  double lastAutosaveEpochSeconds = 0;
  // Removes the write lock (".loc") when this instance holds it.
  std::function<void()> releaseWriteLock;
};

// What one event-trace entry records of the program's state.
struct TraceContext {
  bool saveInProgress = false;
  int viewMode = 0;
  std::string viewedDate;  // already formatted
  struct Item {
    uint32_t handle = 0;
    uint32_t flags = 0;
    std::string recurrence;
    bool flexible = false;
  };
  std::optional<Item> selected;
};

// Every report to the user goes through here: the message operations, the
// multi-button box with its remembered answers, logging, the event trace and
// the internal-error report that ends the program.
class Messages {
 public:
  Messages(Ui& ui, const Clock& clock, ErrorLog& log, EventTrace& trace);

  void SetSettings(Settings* settings) { m_settings = settings; }
  void SetUserName(std::string name) { m_userName = std::move(name); }
  void SetShutdownFacts(std::function<ShutdownFacts()> facts) { m_facts = std::move(facts); }

  // "Ploven - user", or "Ploven".
  std::string Caption() const;

  int ErrorMessage(const std::string& text);
  int ErrorMessageWithPath(const std::string& format, const std::string& argument);
  int InformationMessage(const std::string& text);
  int PlainMessage(const std::string& text, const std::string& caption);
  int OwnedInformationMessage(const std::string& text);
  int QuestionNoDefault(const std::string& text);  // kIdYes or kIdNo
  int Question(const std::string& text);           // kIdYes or kIdNo
  int SystemModalError(const std::string& text);

  bool Trace(int eventNumber, const TraceContext& context);
  bool LogLine(const std::string& line);

  void ResourceError(std::string_view module, int line);
  [[noreturn]] void InternalError(const std::string& message, std::string_view module, int line);

  int MultiButtonBox(const std::string& text, const std::string& caption, uint32_t style,
                     const MultiButtonParams& params);

  bool OpenHelpTopic(const std::string& topic);

  // The text of the box now showing (first 1149 characters), empty when none.
  const std::string& LastMessage() const { return m_lastMessage; }

  Ui& ui() { return m_ui; }

  // True from the moment an internal error began to end the program.
  bool ShuttingDown() const { return m_shuttingDown; }
  // The last line of every shutdown, then the log is trimmed.
  void LogShutdown();

 private:
  BoxAnswer Show(const BoxRequest& box) const;
  bool GateIsOpen(const std::string& text) const;
  int MultiButton(const std::string& text, const std::string& caption, uint32_t style,
                  const MultiButtonParams& params) const;
  [[noreturn]] void Fatal(const std::string& message, std::string_view module, int line) const;

  Ui& m_ui;
  const Clock& m_clock;
  ErrorLog& m_log;
  EventTrace& m_trace;
  Settings* m_settings = nullptr;
  std::string m_userName;
  std::function<ShutdownFacts()> m_facts;
  // Texts of the gated boxes open now; a box shown from inside another adds one.
  mutable std::vector<std::string> m_gateTexts;
  mutable std::string m_lastMessage;
  mutable bool m_shuttingDown = false;
};

}  // namespace ploven
