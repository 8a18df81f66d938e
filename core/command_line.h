// The unattended command line, for deployment systems that start the
// program without a user and read its exit code:
//   DriverSetup.exe /quiet /model NAME|ROW /port PORT [/default yes|no] [/log FILE]
//   DriverSetup.exe /quiet /remove /model NAME|ROW [/log FILE]
// With no arguments the program is the wizard.
#pragma once

#include <string>
#include <vector>

// Exit codes that deployment systems already understand.
constexpr int kExitSuccess = 0;
constexpr int kExitStepFailed = 1603;
constexpr int kExitBadCommandLine = 1639;

enum class LaunchMode {
  Wizard,     // no arguments
  Usage,      // /? or a command line that cannot be understood
  QuietInstall,
  QuietRemove,
};

struct LaunchRequest {
  LaunchMode mode = LaunchMode::Wizard;
  bool quiet = false;      // /quiet was given: no window, no message box
  bool helpAsked = false;  // /?
  int modelRow = -1;
  std::string port;
  bool setDefault = true;
  std::string logFile;  // empty: nothing is written
  std::string error;    // why the command line cannot be understood
};

// args excludes the program's own name. Switches start with '/' or '-' and
// are not case-sensitive.
LaunchRequest ParseCommandLine(const std::vector<std::string>& args);

// A model by display name (not case-sensitive) or by row "0" to "12"; -1 if none.
int FindModel(const std::string& nameOrRow);

extern const char* const kUsageText;

struct InstallReport;

// The lines /log appends for one run: what was asked, one line per step with
// its result, and the exit code. Lines end in CR LF.
std::string FormatRunLog(const std::string& timestamp, const std::string& what,
                         const InstallReport& report, int exitCode);
