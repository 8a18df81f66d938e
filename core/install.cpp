#include "install.h"

#include "catalogue.h"

const ArchProfile kX86Profile = {"x86", "Windows NT x86"};
const ArchProfile kX64Profile = {"x64", "Windows x64"};

const char* const kRegistryErrorMessage = "错误：无法设置有关的注册表信息";
const char* const kDefaultPrinterKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const char* const kPortsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

const ArchProfile& ChooseProfile(bool is64BitProcess, bool runsUnderWow64) {
  return is64BitProcess || runsUnderWow64 ? kX64Profile : kX86Profile;
}

bool InstallReport::Succeeded() const {
  for (const StepOutcome& s : steps) {
    if (!s.ok) return false;
  }
  return true;
}

std::string InstallReport::FailureMessage() const {
  if (Succeeded()) return {};
  std::string message = "The installation did not complete. These steps failed:";
  for (const StepOutcome& s : steps) {
    if (!s.ok) message += "\n- " + s.step + ": " + s.detail;
  }
  return message;
}

namespace {

using namespace ModelCatalogue;

// The first three dependent files, each closed by its NUL: a 38-byte block.
const char kFixedDependentFiles[] = "\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Cause(const std::string& error) {
  return error.empty() ? "the system gave no reason" : error;
}

StepOutcome Outcome(std::string step, const CallResult& result) {
  return {std::move(step), result.ok, result.ok ? std::string() : Cause(result.error)};
}

StepOutcome Failed(std::string step, std::string cause) {
  return {std::move(step), false, std::move(cause)};
}

std::string JoinPath(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  if (directory.back() == '\\') return directory + name;
  return directory + "\\" + name;
}

StepOutcome WriteRegistryValue(IRegistry& registry, IInstallFeedback& feedback, std::string step,
                               RegistryRoot root, const std::string& keyPath,
                               const std::string& valueName, const std::string& data,
                               bool createKey) {
  const RegistryWriteResult written = registry.SetString(root, keyPath, valueName, data, createKey);
  if (written.status == RegistryWriteStatus::Written) return {std::move(step), true, {}};
  // The only failure the user hears of while the install runs.
  feedback.ShowRegistryError(kRegistryErrorMessage);
  const char* what = written.status == RegistryWriteStatus::KeyNotOpened
                         ? "the key could not be opened: "
                         : "the value could not be set: ";
  return Failed(std::move(step), what + Cause(written.error));
}

// The driver files, in the order they are staged, and the progress position
// reached after each (0: none of its own).
struct StagedFile {
  std::string name;
  int progressAfter;
};

std::vector<StagedFile> StagedFiles(int modelRow) {
  return {
      {std::string(RenderingPluginBaseName(modelRow)) + ".DLL", 10},
      {std::string(DataFileBaseName(modelRow)) + ".GPD", 20},
      {"uniDRVui.DLL", 30},
      {"uniDRV.DLL", 0},
      {"UNIDRV.HLP", 40},
      {"UNIRES.DLL", 0},
      {"TTFSUB.GPD", 50},
      {"STDNAMES.GPD", 60},
  };
}

// The folder in the current directory is the one the package is run
// from; when the program is started from elsewhere, the one beside the
// program file is the next best guess.
std::string SourceFolder(IFileSystem& files, const char* folder) {
  const std::string underCurrent = JoinPath(files.CurrentDirectory(), folder);
  if (files.DirectoryExists(underCurrent)) return underCurrent;
  const std::string underProgram = JoinPath(files.ProgramDirectory(), folder);
  if (files.DirectoryExists(underProgram)) return underProgram;
  return underCurrent;  // the copies fail and name the path that was tried
}

bool IsRow(const SerialOptionTables::Table& table, int row) {
  return row >= 0 && row < table.rows;
}

}  // namespace

std::string DependentFilesList(int modelRow) {
  std::string list(kFixedDependentFiles, sizeof kFixedDependentFiles);
  list += RenderingPluginBaseName(modelRow);
  list += ".DLL";
  list += '\0';
  list += '\0';
  return list;
}

DriverRecord MakeDriverRecord(const std::string& environment, int modelRow) {
  DriverRecord record;
  // The spooler tells drivers apart by version too: staying at 2, as the
  // package has always been registered, makes a reinstall replace the
  // driver instead of adding a second one beside it.
  record.version = 2;
  record.name = DisplayName(modelRow);
  record.environment = environment;
  record.driverPath = "\\uniDRV.DLL";
  record.dataFile = std::string("\\") + DataFileBaseName(modelRow) + ".GPD";
  record.configFile = "\\uniDRVui.DLL";
  record.helpFile = "\\uniDRV.HLP";
  record.dependentFiles = DependentFilesList(modelRow);
  record.monitorName = "";
  record.defaultDataType = "RAW";
  return record;
}

PrinterRecord MakePrinterRecord(int modelRow, const std::string& portName) {
  PrinterRecord record;
  record.printerName = DisplayName(modelRow);
  record.portName = portName;
  record.driverName = DisplayName(modelRow);
  record.printProcessor = "WinPrint";
  record.dataType = "RAW";
  return record;
}

std::string DefaultPrinterValue(int modelRow, const std::string& portName) {
  return std::string(DisplayName(modelRow)) + ",winspool," + portName;
}

std::string SerialSettingsValue(const SerialSelection& s) {
  using namespace SerialOptionTables;
  return std::string(Value(kBaudRates, s.baudRate)) + "," + Value(kParities, s.parity) + "," +
         Value(kDataBits, s.dataBits) + "," + Value(kStopBits, s.stopBits) + "," +
         Value(kFlowControls, s.flowControl);
}

CallResult RegisterPrinterDriver(ISpooler& spooler, const std::string& environment,
                                 int modelRow) {
  return spooler.RegisterDriver(MakeDriverRecord(environment, modelRow));
}

AddPrinterResult CreatePrinterOnPort(ISpooler& spooler, int modelRow,
                                     const std::string& portName) {
  return spooler.AddPrinterOnPort(MakePrinterRecord(modelRow, portName));
}

StepOutcome WriteDefaultPrinter(IRegistry& registry, IInstallFeedback& feedback, int modelRow,
                                const std::string& portName) {
  return WriteRegistryValue(registry, feedback,
                            "Make " + Quoted(DisplayName(modelRow)) + " the default printer",
                            RegistryRoot::CurrentUser, kDefaultPrinterKey, "Device",
                            DefaultPrinterValue(modelRow, portName), /*createKey=*/true);
}

StepOutcome WriteSerialPortSettings(IRegistry& registry, IInstallFeedback& feedback,
                                    int portListIndex, const SerialSelection& selection) {
  using namespace SerialOptionTables;
  if (portListIndex < kFirstSerialPortRow || !IsRow(kPortValueNames, portListIndex)) {
    return Failed("Write serial port settings", "no serial port is selected");
  }
  const std::string portValue = Value(kPortValueNames, portListIndex);
  const std::string step = "Write the settings of serial port " + portValue;
  if (!IsRow(kBaudRates, selection.baudRate) || !IsRow(kParities, selection.parity) ||
      !IsRow(kDataBits, selection.dataBits) || !IsRow(kStopBits, selection.stopBits) ||
      !IsRow(kFlowControls, selection.flowControl)) {
    return Failed(step, "a serial setting is not selected");
  }
  // Windows keeps the port's line settings under the port's own name; the key
  // belongs to the system, so it is not created here.
  return WriteRegistryValue(registry, feedback, step, RegistryRoot::LocalMachine, kPortsKey,
                            portValue, SerialSettingsValue(selection), /*createKey=*/false);
}

InstallReport InstallDriverPackage(const ArchProfile& profile, const std::string& portName,
                                   InstallServices& services) {
  InstallReport report;
  auto& steps = report.steps;
  const std::string environment = profile.environmentName;

  std::string driverDirectory;
  CallResult queried = services.spooler.QueryDriverDirectory(environment, driverDirectory);
  if (queried.ok && driverDirectory.empty()) {
    queried = CallResult::Failure("the spooler returned an empty directory");
  }
  steps.push_back(Outcome("Find the printer driver directory for " + environment, queried));

  const int modelRow = services.choices.ModelRow();
  const int portListIndex = services.choices.PortListIndex();
  if (modelRow < 0 || modelRow >= kModelCount) {
    steps.push_back(Failed("Install the printer driver", "no model selected"));
    return report;
  }
  const std::string displayName = DisplayName(modelRow);

  const std::string sourceFolder = SourceFolder(services.files, profile.sourceFolder);
  bool allStaged = true;
  for (const StagedFile& file : StagedFiles(modelRow)) {
    const std::string source = JoinPath(sourceFolder, file.name);
    if (!queried.ok) {
      // Copying anyway would drop the files into the root of a drive.
      steps.push_back(Failed("Copy " + source + " to the driver directory",
                             "the spooler's driver directory is unknown"));
    } else {
      const std::string destination = JoinPath(driverDirectory, file.name);
      steps.push_back(Outcome("Copy " + source + " to " + destination,
                              services.files.CopyFileOver(source, destination)));
    }
    allStaged = allStaged && steps.back().ok;
    if (file.progressAfter != 0) services.feedback.SetProgress(file.progressAfter);
  }

  steps.push_back(Outcome("Register the printer driver " + Quoted(displayName) + " for " +
                              environment,
                          RegisterPrinterDriver(services.spooler, environment, modelRow)));
  services.feedback.SetProgress(70);

  const AddPrinterResult added = CreatePrinterOnPort(services.spooler, modelRow, portName);
  const std::string createStep =
      "Create the printer " + Quoted(displayName) + " on port " + portName;
  const bool printerExists = added.result.ok || added.alreadyExists;
  if (added.alreadyExists) {
    steps.push_back({createStep, true, "already exists"});
  } else {
    steps.push_back(Outcome(createStep, added.result));
  }
  services.feedback.SetProgress(80);

  if (services.choices.SetAsDefaultPrinter()) {
    // Some spoolers accept a driver whose files are incomplete; the user's
    // default printer is not switched to a printer that cannot print.
    const std::string defaultStep = "Make " + Quoted(displayName) + " the default printer";
    if (!printerExists) {
      steps.push_back(Failed(defaultStep, "no printer was created"));
    } else if (!allStaged) {
      steps.push_back(Failed(defaultStep, "not changed, the driver files are incomplete"));
    } else {
      steps.push_back(WriteDefaultPrinter(services.registry, services.feedback, modelRow,
                                          portName));
    }
  }
  services.feedback.SetProgress(90);

  if (portListIndex >= SerialOptionTables::kFirstSerialPortRow) {
    steps.push_back(WriteSerialPortSettings(services.registry, services.feedback, portListIndex,
                                            services.choices.SerialChoices()));
  }
  services.feedback.SetProgress(95);

  if (added.handle != 0) {
    steps.push_back(
        Outcome("Close the printer handle", services.spooler.ClosePrinterHandle(added.handle)));
  }
  // A moment for the user to see the install end before 100 and the page
  // closing.
  services.feedback.Pause(500);
  services.feedback.SetProgress(100);
  return report;
}
