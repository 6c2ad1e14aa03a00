#pragma once

#include <filesystem>
#include <memory>

#include "bridge/bridge_link.h"

namespace ploven {

// The way to the calendar companion for the schedules kept in `dataFolder`.
std::unique_ptr<BridgeLink> MakeCompanionLink(const std::filesystem::path& dataFolder);

}  // namespace ploven
