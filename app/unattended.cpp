#include "unattended.h"

#include "../platform/text.h"
#include "../platform/win_removal.h"
#include "../platform/win_services.h"
#include "catalogue.h"
#include "install.h"
#include "remove.h"

namespace {

// The choices an administrator gave on the command line. The hidden serial
// lists do not exist here, so the serial step never applies.
class FixedChoices : public IInstallChoices {
 public:
  FixedChoices(int modelRow, bool setDefault) : m_modelRow(modelRow), m_setDefault(setDefault) {}
  int ModelRow() override { return m_modelRow; }
  int PortListIndex() override { return 0; }
  bool SetAsDefaultPrinter() override { return m_setDefault; }
  SerialSelection SerialChoices() override { return {}; }

 private:
  int m_modelRow;
  bool m_setDefault;
};

// Nobody watches: no bar to move, no box to show (the report carries the
// registry failure), and no reason to linger at 100.
class SilentFeedback : public IInstallFeedback {
 public:
  void SetProgress(int) override {}
  void ShowRegistryError(const std::string&) override {}
  void Pause(int) override {}
};

}  // namespace

int RunUnattended(const LaunchRequest& request) {
  const ArchProfile& profile = ChooseProfile(sizeof(void*) == 8, IsRunningUnderWow64());
  const std::string model = ModelCatalogue::DisplayName(request.modelRow);
  InstallReport report;
  std::string what;
  if (request.mode == LaunchMode::QuietRemove) {
    what = "remove \"" + model + "\" (" + profile.environmentName + ")";
    WinPrinterRemoval spooler;
    report = RemoveDriverPackage(profile, request.modelRow, spooler);
  } else {
    what = "install \"" + model + "\" on " + request.port + " (" + profile.environmentName +
           "), default printer " + (request.setDefault ? "yes" : "no");
    WinSpooler spooler;
    WinFileSystem files;
    WinRegistry registry;
    FixedChoices choices(request.modelRow, request.setDefault);
    SilentFeedback feedback;
    InstallServices services{spooler, files, registry, choices, feedback};
    report = InstallDriverPackage(profile, request.port, services);
  }
  const int exitCode = report.Succeeded() ? kExitSuccess : kExitStepFailed;
  if (!request.logFile.empty()) {
    // A log that cannot be written must not turn a good install into a
    // failure; the exit code still tells the truth about the install.
    AppendToFile(request.logFile, FormatRunLog(LocalTimestamp(), what, report, exitCode));
  }
  return exitCode;
}
