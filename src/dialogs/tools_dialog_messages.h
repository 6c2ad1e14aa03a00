#pragma once

// The texts of the Tools windows: the timers, the world clocks and the messages.
namespace ploven::tools_dialog_text {

inline constexpr char kStopwatchTitle[] = "Stopwatch";
inline constexpr char kCountdownTitle[] = "Countdown Timer";
inline constexpr char kStart[] = "&Start";
inline constexpr char kStop[] = "S&top";
inline constexpr char kReset[] = "&Reset";
inline constexpr char kLengthLabel[] = "Count down from:";
inline constexpr char kLengthHint[] =
    "Minutes (25), minutes and seconds (1:30) or hours, minutes and seconds (1:00:00).";
inline constexpr char kLengthRefused[] =
    "Type minutes (25), minutes:seconds (1:30) or hours:minutes:seconds, up to 24 hours.";
inline constexpr char kTimeIsUp[] = "Time is up!";

inline constexpr char kWorldClockTitle[] = "World Clocks";
inline constexpr char kTheirTimeLabel[] = "Their time && location:";
inline constexpr char kFromHere[] = "%1 from here";
inline constexpr char kSameAsHere[] = "same time as here";
inline constexpr char kNoClocks[] =
    "No world clocks yet: add the places you work with in Settings > World Clocks / Stock "
    "Ticker Settings.";
inline constexpr char kTickerUnavailable[] =
    "Stock ticker: not available without a network connection.";
inline constexpr char kZonesTitle[] = "Time Zones Settings";
inline constexpr char kWorldClocksTitle[] = "World Clocks / Stock Ticker Settings";
inline constexpr char kZonesHint[] =
    "The places whose time the world clocks show. Choose a time zone and click Add.";
inline constexpr char kAddZone[] = "&Add";
inline constexpr char kRemoveZone[] = "&Remove";
inline constexpr char kHereZone[] = "This computer's time zone: %1";

}  // namespace ploven::tools_dialog_text
