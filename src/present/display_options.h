#pragma once

#include <cstdint>

#include "platform/program_settings.h"

namespace ploven {

// The display switches the views draw by, taken from the program settings and the mode.
struct DisplayOptions {
  bool proMode = true;
  bool showTaskTimes = true;
  bool showEndTimes = false;
  bool showOppCosts = false;
  bool hideGaps = false;
  int minFreeLenShow = 9999;  // with hideGaps: shorter gaps get no row
  bool timespace = true;      // free rows grow with the length of the gap
  bool showMoons = true;
  bool moonAM = false;
  bool showSchedStats = false;
  bool showProjectName = false;
  bool showDoneTaskTimes = true;
  bool noPastStrikes = false;
  bool shading = true;
  bool weekOfYear = false;    // "MonthviewWkOfYr"
  int yearFirstWeekAdjust = 0;  // "YearFirstWeekAdjust": moves the start of the 4-4-5 year
  bool weekStartsMonday = true;
  int firstWeekRule = 0;      // "FirstWeekRule": how week 1 of a year is chosen
  int nBatting = 3;           // items shown in Focus Now
  bool focusNow = false;
  bool hideDoneItems = false; // effective only when enabled in the settings
  bool valueOfTime = false;   // the value-of-time display switch
  int valuePerHour = 0;       // value of time per hour, whole currency units
  int currencyPosition = 0;   // regional "iCurrency": where the currency symbol goes

  // COLORREF numbers: red in the low byte.
  uint32_t colorNormalBackground = 13107199;
  uint32_t colorNormalText = 14221312;
  uint32_t colorFluid = 8421440;
  uint32_t colorUnscheduled = 5415936;
  uint32_t colorDone = 4629503;
  uint32_t colorFreeTime = 15530732;
  uint32_t colorPastTime = 14869218;
  uint32_t colorSelection = 16766654;

  static DisplayOptions From(const ProgramSettings& p, bool proMode) {
    DisplayOptions d;
    d.proMode = proMode;
    d.showTaskTimes = p.showTaskTimes != 0;
    d.showEndTimes = p.showEndTimes != 0;
    d.showOppCosts = p.showOppCosts != 0;
    d.hideGaps = p.hideGaps != 0;
    d.minFreeLenShow = p.minFreeLenShow;
    d.timespace = p.timespace != 0;
    d.showMoons = p.showMoons != 0;
    d.moonAM = p.moonAM != 0;
    d.showSchedStats = p.showSchedStats != 0;
    d.showProjectName = p.showProjectName != 0;
    d.showDoneTaskTimes = p.showDoneTaskTimes != 0;
    d.noPastStrikes = p.noPastStrikes != 0;
    d.shading = p.shading != 0;
    d.weekOfYear = p.monthviewWkOfYr != 0;
    d.yearFirstWeekAdjust = p.yearFirstWeekAdjust;
    d.weekStartsMonday = p.weekStartsMon != 0;
    d.firstWeekRule = p.firstWeekRule;
    d.nBatting = p.nBatting;
    d.colorNormalBackground = p.colorNormalBackground;
    d.colorNormalText = p.colorNormalText;
    d.colorFluid = p.colorFluid;
    d.colorUnscheduled = p.colorUnscheduled;
    d.colorDone = p.colorDone;
    d.colorFreeTime = p.colorFreeTime;
    d.colorPastTime = p.colorPastTime;
    d.colorSelection = p.colorSelection;
    return d;
  }
};

}  // namespace ploven
