#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line.h"
#include "install.h"
#include "remove.h"

namespace {

struct ParseCase {
  const char* label;
  std::vector<std::string> args;
  LaunchMode mode;
  int modelRow;
  const char* port;
  bool setDefault;
  const char* logFile;
};

TEST(CommandLine, UnderstoodCommandLines) {
  const ParseCase cases[] = {
      {"no arguments is the wizard", {}, LaunchMode::Wizard, -1, "", true, ""},
      {"install by name", {"/quiet", "/model", "WQ-350V Series", "/port", "LPT1:"},
       LaunchMode::QuietInstall, 5, "LPT1:", true, ""},
      {"name is not case-sensitive, switches neither",
       {"/QUIET", "/Model", "wq-3rc series", "/PORT", "COM2:"}, LaunchMode::QuietInstall, 12, "COM2:", true, ""},
      {"install by row, dash switches, default no, log",
       {"-quiet", "-model", "0", "-port", "端口7:", "-default", "NO", "-log", "C:\\logs\\ds.log"},
       LaunchMode::QuietInstall, 0, "端口7:", false, "C:\\logs\\ds.log"},
      {"default yes", {"/quiet", "/model", "12", "/port", "FILE:", "/default", "yes"},
       LaunchMode::QuietInstall, 12, "FILE:", true, ""},
      {"switch order does not matter", {"/port", "LPT2:", "/model", "3", "/quiet"},
       LaunchMode::QuietInstall, 3, "LPT2:", true, ""},
      {"remove", {"/quiet", "/remove", "/model", "WQ-K374 Series", "/log", "x.log"},
       LaunchMode::QuietRemove, 9, "", true, "x.log"},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.label);
    const LaunchRequest r = ParseCommandLine(c.args);
    EXPECT_EQ(r.mode, c.mode) << r.error;
    EXPECT_EQ(r.modelRow, c.modelRow);
    EXPECT_EQ(r.port, c.port);
    EXPECT_EQ(r.setDefault, c.setDefault);
    EXPECT_EQ(r.logFile, c.logFile);
    EXPECT_EQ(r.error, "");
  }
}

struct InvalidCase {
  const char* label;
  std::vector<std::string> args;
  bool quiet;
  const char* errorPart;
};

TEST(CommandLine, CommandLinesThatAreNotUnderstood) {
  const InvalidCase cases[] = {
      {"unknown switch", {"/quiet", "/model", "1", "/port", "LPT1:", "/force"}, true, "unknown switch /force"},
      {"bare word", {"/quiet", "install"}, true, "unexpected argument"},
      {"missing value at the end", {"/quiet", "/port", "LPT1:", "/model"}, true, "/model needs a value"},
      {"empty value", {"/quiet", "/model", "", "/port", "LPT1:"}, true, "/model needs a value"},
      {"unknown model name", {"/quiet", "/model", "WQ-999 Series", "/port", "LPT1:"}, true, "unknown model"},
      {"row out of range", {"/quiet", "/model", "13", "/port", "LPT1:"}, true, "unknown model"},
      {"negative row", {"/quiet", "/model", "-1", "/port", "LPT1:"}, true, "unknown model"},
      {"row with extra text", {"/quiet", "/model", "05", "/port", "LPT1:"}, true, "unknown model"},
      {"install without port", {"/quiet", "/model", "1"}, true, "/port is missing"},
      {"without model", {"/quiet", "/port", "LPT1:"}, true, "/model is missing"},
      {"default neither yes nor no", {"/quiet", "/model", "1", "/port", "LPT1:", "/default", "maybe"}, true, "yes or no"},
      {"switch given twice", {"/quiet", "/model", "1", "/model", "2", "/port", "LPT1:"}, true, "twice"},
      {"remove with a port", {"/quiet", "/remove", "/model", "1", "/port", "LPT1:"}, true, "/remove takes no"},
      {"valid switches without /quiet", {"/model", "1", "/port", "LPT1:"}, false, "need /quiet"},
  };
  for (const InvalidCase& c : cases) {
    SCOPED_TRACE(c.label);
    const LaunchRequest r = ParseCommandLine(c.args);
    EXPECT_EQ(r.mode, LaunchMode::Usage);
    EXPECT_EQ(r.quiet, c.quiet);
    EXPECT_NE(r.error.find(c.errorPart), std::string::npos) << r.error;
  }
}

TEST(CommandLine, HelpIsUsageWithoutAnError) {
  for (const auto& args : {std::vector<std::string>{"/?"}, std::vector<std::string>{"/quiet", "/?"}}) {
    const LaunchRequest r = ParseCommandLine(args);
    EXPECT_EQ(r.mode, LaunchMode::Usage);
    EXPECT_TRUE(r.helpAsked);
    EXPECT_EQ(r.error, "");
  }
}

TEST(CommandLine, RunLogHasOneLinePerStepAndTheExitCode) {
  InstallReport report;
  report.steps = {{"Copy a to b", true, ""}, {"Copy c to d", false, "Access is denied. (5)"},
                  {"Delete printer \"X\"", true, "not installed, nothing to delete"}};
  EXPECT_EQ(FormatRunLog("2026-01-02 03:04:05", "install \"X\"", report, 1603),
            "2026-01-02 03:04:05  DriverSetup install \"X\"\r\n"
            "2026-01-02 03:04:05  OK      Copy a to b\r\n"
            "2026-01-02 03:04:05  FAILED  Copy c to d: Access is denied. (5)\r\n"
            "2026-01-02 03:04:05  OK      Delete printer \"X\": not installed, nothing to delete\r\n"
            "2026-01-02 03:04:05  Exit code 1603\r\n");
}

// A spooler that remembers which printers use which driver.
class FakeRemoval : public IPrinterRemoval {
 public:
  std::vector<std::pair<std::string, std::string>> printers;  // printer, driver
  bool driverInstalled = true;
  bool failListing = false;
  std::vector<std::string> calls;

  DeleteResult DeletePrinterNamed(const std::string& printer) override {
    calls.push_back("DeletePrinter " + printer);
    for (auto it = printers.begin(); it != printers.end(); ++it) {
      if (it->first == printer) {
        printers.erase(it);
        return {};
      }
    }
    return {CallResult::Failure("The printer name is invalid. (1801)"), true};
  }
  CallResult PrintersUsingDriver(const std::string& driver, std::vector<std::string>& out) override {
    calls.push_back("PrintersUsingDriver " + driver);
    if (failListing) return CallResult::Failure("RPC server unavailable. (1722)");
    for (const auto& [printer, used] : printers) {
      if (used == driver) out.push_back(printer);
    }
    return {};
  }
  DeleteResult DeleteDriverNamed(const std::string& driver, const std::string& environment) override {
    calls.push_back("DeleteDriver " + driver + " / " + environment);
    if (!driverInstalled) return {CallResult::Failure("The printer driver is unknown. (1797)"), true};
    driverInstalled = false;
    return {};
  }
};

TEST(Removal, DeletesThePrinterThenItsUnusedDriver) {
  FakeRemoval spooler;
  spooler.printers = {{"WQ-350V Series", "WQ-350V Series"}, {"Office", "Other Driver"}};
  const InstallReport report = RemoveDriverPackage(kX64Profile, 5, spooler);
  EXPECT_TRUE(report.Succeeded());
  EXPECT_EQ(spooler.calls, (std::vector<std::string>{"DeletePrinter WQ-350V Series",
                                                     "PrintersUsingDriver WQ-350V Series",
                                                     "DeleteDriver WQ-350V Series / Windows x64"}));
  EXPECT_FALSE(spooler.driverInstalled);
}

TEST(Removal, NothingInstalledIsASuccessThatSaysSo) {
  FakeRemoval spooler;
  spooler.driverInstalled = false;
  const InstallReport report = RemoveDriverPackage(kX86Profile, 0, spooler);
  EXPECT_TRUE(report.Succeeded());
  ASSERT_EQ(report.steps.size(), 2u);
  for (const StepOutcome& step : report.steps) EXPECT_EQ(step.detail, "not installed, nothing to delete");
}

TEST(Removal, KeepsADriverThatAnotherPrinterUses) {
  FakeRemoval spooler;
  spooler.printers = {{"WQ-310 Series", "WQ-310 Series"}, {"WQ-310 copy", "WQ-310 Series"}};
  const InstallReport report = RemoveDriverPackage(kX64Profile, 0, spooler);
  EXPECT_TRUE(report.Succeeded());
  EXPECT_TRUE(spooler.driverInstalled);
  EXPECT_EQ(report.steps.back().detail, "kept, still used by WQ-310 copy");
}

TEST(Removal, APrinterListThatFailsKeepsTheDriverAndFails) {
  FakeRemoval spooler;
  spooler.printers = {{"WQ-310 Series", "WQ-310 Series"}};
  spooler.failListing = true;
  const InstallReport report = RemoveDriverPackage(kX64Profile, 0, spooler);
  EXPECT_FALSE(report.Succeeded());
  EXPECT_TRUE(spooler.driverInstalled);
}

}  // namespace
