#include "app/companion_link.h"

#include <QCoreApplication>
#include <QDir>

#include "bridge/bridge_messages.h"

namespace ploven {
namespace {

// A companion this build cannot reach: never running and never started, so that the senders
// tell the user where its program file was looked for.
class AbsentCompanionLink : public BridgeLink {
 public:
  bool IsRunning() override { return false; }
  bool Start(int) override { return false; }
  LinkResult Send(const BridgeFrame&) override { return LinkResult::kRecordFailed; }
  std::optional<std::vector<BridgeFrame>> FetchCalendarChanges() override { return std::nullopt; }
  bool Confirm(const std::string&) override { return false; }
  void Close() override {}
  std::string ProgramPath() const override {
    return QDir(QCoreApplication::applicationDirPath()).filePath(kCompanionProgram).toStdString();
  }
};

}  // namespace

std::unique_ptr<BridgeLink> MakeCompanionLink(const std::filesystem::path&) {
  return std::make_unique<AbsentCompanionLink>();
}

}  // namespace ploven
