#include "store/date_format.h"
#include "store/schedule.h"

namespace ploven {

// Dates inside the store's own messages use the fixed m/d/yy form, like the error log.
std::string Schedule::FormatDay(DayNumber d) const { return FormatDateMDY(d); }

}  // namespace ploven
