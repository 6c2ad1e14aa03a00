#pragma once

#include <QPageLayout>

#include "printouts/printout_settings.h"

namespace ploven {

// The page the printouts are laid out on, from the saved paper, orientation and margins.
QPageLayout PageLayoutOf(const PaperSettings& paper);
// What the page setup chose, to be saved. A paper size the settings do not name keeps the saved
// one.
void StorePageLayout(const QPageLayout& layout, PaperSettings& paper);

}  // namespace ploven
