#pragma once

#include <string>

#include "alarm/alarm_routine.h"

namespace ploven {

// What the Also Dial entry names.
enum class ForwardKind {
  kEmail,         // holds "@"
  kText,          // holds "sms" (any case): a text through an e-mail-to-text gateway
  kInternetCall,  // starts with "+", "00" or a letter
  kPhoneCall,     // anything else
};
ForwardKind ForwardKindOf(const std::string& entry);

// The e-mail as the mail command reads it (headers, a blank line, the body). Line breaks in
// the recipient and subject are taken out, so no text of an item can add a header.
std::string MailMessage(const std::string& to, const std::string& subject, const std::string& body);

// Forwards the alarm of the item to the Also Dial number (settings.pagerNumber), step by step in
// the progress window, and tells the user how it went. Failures are told and the alarm box
// follows as usual.
void ForwardAlarm(AlarmServices& x, ActHandle item, DayNumber today, TimeOfDay now);

}  // namespace ploven
