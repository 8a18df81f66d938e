#include "command_line.h"

#include <cctype>

#include "catalogue.h"
#include "install.h"

const char* const kUsageText =
    "Installs the printer driver and creates a printer that uses it.\n"
    "\n"
    "DriverSetup.exe\n"
    "    Opens the setup wizard.\n"
    "DriverSetup.exe /quiet /model MODEL /port PORT [/default yes|no] [/log FILE]\n"
    "    Installs without a window. MODEL is a display name such as\n"
    "    \"WQ-350V Series\" or a row from 0 to 12; PORT is a port as the\n"
    "    spooler names it, such as LPT1:. The printer becomes the default\n"
    "    printer unless /default no is given.\n"
    "DriverSetup.exe /quiet /remove /model MODEL [/log FILE]\n"
    "    Deletes the printer and then its driver, when no other printer uses it.\n"
    "\n"
    "/log FILE appends one line per step to FILE (UTF-8).\n"
    "Exit codes: 0 success, 1603 a step failed, 1639 the command line was not understood.";

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

LaunchRequest Invalid(LaunchRequest request, std::string why) {
  request.mode = LaunchMode::Usage;
  request.error = std::move(why);
  return request;
}

}  // namespace

int FindModel(const std::string& nameOrRow) {
  const std::string wanted = Lower(nameOrRow);
  for (int row = 0; row < ModelCatalogue::kModelCount; ++row) {
    if (Lower(ModelCatalogue::DisplayName(row)) == wanted || std::to_string(row) == nameOrRow) {
      return row;
    }
  }
  return -1;
}

LaunchRequest ParseCommandLine(const std::vector<std::string>& args) {
  LaunchRequest request;
  if (args.empty()) return request;

  bool remove = false, haveModel = false, havePort = false, haveDefault = false, haveLog = false;
  std::string model;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) {
      return Invalid(request, "unexpected argument \"" + arg + "\"");
    }
    const std::string name = Lower(arg.substr(1));
    // Switches that take a value, and where that value goes.
    struct Valued {
      const char* name;
      bool* seen;
      std::string* value;
    };
    std::string defaultText;
    const Valued valued[] = {{"model", &haveModel, &model},
                             {"port", &havePort, &request.port},
                             {"default", &haveDefault, &defaultText},
                             {"log", &haveLog, &request.logFile}};
    bool matched = false;
    for (const Valued& v : valued) {
      if (name != v.name) continue;
      matched = true;
      if (*v.seen) return Invalid(request, "/" + name + " is given twice");
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        return Invalid(request, "/" + name + " needs a value");
      }
      *v.seen = true;
      *v.value = args[++i];
    }
    if (matched) {
      if (name == "default") {
        const std::string answer = Lower(defaultText);
        if (answer != "yes" && answer != "no") {
          return Invalid(request, "/default takes yes or no, not \"" + defaultText + "\"");
        }
        request.setDefault = answer == "yes";
      }
      continue;
    }
    if (name == "quiet") {
      request.quiet = true;
    } else if (name == "remove") {
      remove = true;
    } else if (name == "?") {
      request.helpAsked = true;
    } else {
      return Invalid(request, "unknown switch " + arg);
    }
  }

  if (request.helpAsked) return Invalid(request, "");
  if (!request.quiet) return Invalid(request, "the unattended switches need /quiet");
  if (!haveModel) return Invalid(request, "/model is missing");
  request.modelRow = FindModel(model);
  if (request.modelRow < 0) return Invalid(request, "unknown model \"" + model + "\"");
  if (remove) {
    if (havePort || haveDefault) {
      return Invalid(request, "/remove takes no /port or /default");
    }
    request.mode = LaunchMode::QuietRemove;
  } else {
    if (!havePort) return Invalid(request, "/port is missing");
    request.mode = LaunchMode::QuietInstall;
  }
  return request;
}

std::string FormatRunLog(const std::string& timestamp, const std::string& what,
                         const InstallReport& report, int exitCode) {
  const std::string prefix = timestamp + "  ";
  std::string log = prefix + "DriverSetup " + what + "\r\n";
  for (const StepOutcome& step : report.steps) {
    log += prefix + (step.ok ? "OK      " : "FAILED  ") + step.step;
    if (!step.detail.empty()) log += ": " + step.detail;
    log += "\r\n";
  }
  log += prefix + "Exit code " + std::to_string(exitCode) + "\r\n";
  return log;
}
