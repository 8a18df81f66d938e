#include "install.h"

#include <gtest/gtest.h>

#include "fake_system.h"

namespace {

const std::string kDeviceKey = "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const std::string kSerialKey = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const std::string kErrorShown = "ShowRegistryError 错误：无法设置有关的注册表信息";
const std::string kX86Drivers = "C:\\Windows\\spool\\drivers\\W32X86";

const std::vector<std::string> kAllProgress = {
    "SetProgress 10", "SetProgress 20", "SetProgress 30", "SetProgress 40",
    "SetProgress 50", "SetProgress 60", "SetProgress 70", "SetProgress 80",
    "SetProgress 90", "SetProgress 95", "SetProgress 100"};

// Each failed step as "step: cause", in order.
std::vector<std::string> Failures(const InstallReport& report) {
  std::vector<std::string> failed;
  for (const StepOutcome& s : report.steps) {
    if (!s.ok) failed.push_back(s.step + ": " + s.detail);
  }
  return failed;
}

// The log entries that start with any of the prefixes, in order.
std::vector<std::string> Calls(const FakeSystem& fake, std::vector<std::string> prefixes) {
  std::vector<std::string> found;
  for (const std::string& entry : fake.log) {
    for (const std::string& prefix : prefixes) {
      if (entry.compare(0, prefix.size(), prefix) == 0) {
        found.push_back(entry);
        break;
      }
    }
  }
  return found;
}

class InstallTest : public ::testing::Test {
 protected:
  FakeSystem fake;
  InstallServices services{fake, fake, fake, fake, fake};

  InstallReport Run(const std::string& port = "LPT1:") {
    return InstallDriverPackage(kX86Profile, port, services);
  }
};

struct ProfileCase {
  const ArchProfile& profile;
  std::string folder;
  std::string environment;
  std::string driverDirectory;
};

TEST(InstallSequenceTest, EveryStepInOrderForEachProfile) {
  const ProfileCase cases[] = {
      {kX86Profile, "x86", "Windows NT x86", kX86Drivers},
      {kX64Profile, "x64", "Windows x64", "C:\\Windows\\spool\\drivers\\x64"},
  };
  for (const ProfileCase& c : cases) {
    SCOPED_TRACE(c.environment);
    FakeSystem fake;
    InstallServices services{fake, fake, fake, fake, fake};
    fake.driverDirectory = c.driverDirectory;
    fake.portListIndex = 3;  // COM1: every optional step acts

    const InstallReport report = InstallDriverPackage(c.profile, "LPT1:", services);

    const std::string from = "C:\\Setup\\" + c.folder + "\\";
    const std::string to = c.driverDirectory + "\\";
    auto copy = [&](const std::string& name) {
      return "CopyFileOver " + from + name + " -> " + to + name;
    };
    const std::vector<std::string> expectedLog = {
        "QueryDriverDirectory " + c.environment,
        "ModelRow",
        "PortListIndex",
        "CurrentDirectory",
        "DirectoryExists C:\\Setup\\" + c.folder,
        copy("WQ3T.DLL"),
        "SetProgress 10",
        copy("WQ350V.GPD"),
        "SetProgress 20",
        copy("uniDRVui.DLL"),
        "SetProgress 30",
        copy("uniDRV.DLL"),
        copy("UNIDRV.HLP"),
        "SetProgress 40",
        copy("UNIRES.DLL"),
        copy("TTFSUB.GPD"),
        "SetProgress 50",
        copy("STDNAMES.GPD"),
        "SetProgress 60",
        "RegisterDriver WQ-350V Series",
        "SetProgress 70",
        "AddPrinterOnPort WQ-350V Series",
        "SetProgress 80",
        "SetAsDefaultPrinter",
        "SetString " + kDeviceKey + " [Device]=\"WQ-350V Series,winspool,LPT1:\" create",
        "SetProgress 90",
        "SerialChoices",
        "SetString " + kSerialKey + " [COM1:]=\"19200,N,8,1,p\"",
        "SetProgress 95",
        "ClosePrinterHandle 42",
        "Pause 500",
        "SetProgress 100",
    };
    EXPECT_EQ(fake.log, expectedLog);

    ASSERT_EQ(fake.drivers.size(), 1u);
    const DriverRecord& driver = fake.drivers[0];
    EXPECT_EQ(driver.version, 2u);
    EXPECT_EQ(driver.name, "WQ-350V Series");
    EXPECT_EQ(driver.environment, c.environment);
    EXPECT_EQ(driver.driverPath, "\\uniDRV.DLL");
    EXPECT_EQ(driver.dataFile, "\\WQ350V.GPD");
    EXPECT_EQ(driver.configFile, "\\uniDRVui.DLL");
    EXPECT_EQ(driver.helpFile, "\\uniDRV.HLP");
    EXPECT_EQ(driver.dependentFiles, DependentFilesList(5));
    EXPECT_EQ(driver.monitorName, "");
    EXPECT_EQ(driver.defaultDataType, "RAW");

    ASSERT_EQ(fake.printers.size(), 1u);
    const PrinterRecord& printer = fake.printers[0];
    EXPECT_EQ(printer.printerName, "WQ-350V Series");
    EXPECT_EQ(printer.portName, "LPT1:");
    EXPECT_EQ(printer.driverName, "WQ-350V Series");
    EXPECT_EQ(printer.printProcessor, "WinPrint");
    EXPECT_EQ(printer.dataType, "RAW");

    auto copied = [&](const std::string& name) {
      return "Copy " + from + name + " to " + to + name;
    };
    std::vector<std::string> steps;
    for (const StepOutcome& s : report.steps) steps.push_back(s.step);
    const std::vector<std::string> expectedSteps = {
        "Find the printer driver directory for " + c.environment,
        copied("WQ3T.DLL"),
        copied("WQ350V.GPD"),
        copied("uniDRVui.DLL"),
        copied("uniDRV.DLL"),
        copied("UNIDRV.HLP"),
        copied("UNIRES.DLL"),
        copied("TTFSUB.GPD"),
        copied("STDNAMES.GPD"),
        "Register the printer driver \"WQ-350V Series\" for " + c.environment,
        "Create the printer \"WQ-350V Series\" on port LPT1:",
        "Make \"WQ-350V Series\" the default printer",
        "Write the settings of serial port COM1:",
        "Close the printer handle",
    };
    EXPECT_EQ(steps, expectedSteps);
    EXPECT_TRUE(report.Succeeded());
    EXPECT_EQ(report.FailureMessage(), "");
  }
}

TEST(InstallRecordsTest, DependentFilesListBytes) {
  // Three fixed entries (38 bytes with their NULs), the shared plug-in without
  // a leading backslash, and the closing NUL.
  const std::string expected("\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD\0WQ3T.DLL\0\0", 48);
  for (int row : {0, 5, 10, 12}) {
    EXPECT_EQ(DependentFilesList(row), expected) << "row " << row;
  }
  EXPECT_EQ(expected.find("WQ3T.DLL"), 38u);
}

TEST(InstallRecordsTest, OnlyNameAndDataFileFollowTheModel) {
  struct Case {
    int row;
    const char* name;
    const char* dataFile;
  };
  const Case cases[] = {{0, "WQ-310 Series", "\\WQ310.GPD"},
                        {9, "WQ-K374 Series", "\\WQK374.GPD"},
                        {10, "WQ-3T Series", "\\WQ3T.GPD"},
                        {12, "WQ-3RC Series", "\\WQ3RC.GPD"}};
  for (const Case& c : cases) {
    const DriverRecord driver = MakeDriverRecord("Windows x64", c.row);
    EXPECT_EQ(driver.name, c.name);
    EXPECT_EQ(driver.dataFile, c.dataFile);
    EXPECT_EQ(driver.environment, "Windows x64");
    EXPECT_EQ(driver.driverPath, "\\uniDRV.DLL");
    const PrinterRecord printer = MakePrinterRecord(c.row, "");
    EXPECT_EQ(printer.printerName, c.name);
    EXPECT_EQ(printer.driverName, c.name);
    EXPECT_EQ(printer.portName, "");
  }
}

TEST_F(InstallTest, ProgressClosesThePrinterBeforeThePauseAnd100After) {
  Run();
  const std::vector<std::string> expected = {
      "SetProgress 10", "SetProgress 20", "SetProgress 30", "SetProgress 40",
      "SetProgress 50", "SetProgress 60", "SetProgress 70", "SetProgress 80",
      "SetProgress 90", "SetProgress 95", "ClosePrinterHandle 42", "Pause 500",
      "SetProgress 100"};
  EXPECT_EQ(Calls(fake, {"SetProgress", "ClosePrinterHandle", "Pause"}), expected);
}

struct RegistryCase {
  const char* name;
  int portListIndex;
  SerialSelection serial;
  bool setAsDefault;
  std::string port;
  std::vector<std::string> writes;
};

TEST(InstallRegistryTest, DefaultPrinterAndSerialTexts) {
  const SerialSelection initial{5, 2, 3, 0, 2};
  const std::string device = "SetString " + kDeviceKey + " [Device]=";
  const std::string ports = "SetString " + kSerialKey + " ";
  const RegistryCase cases[] = {
      {"initial selections", 0, initial, true, "LPT1:",
       {device + "\"WQ-350V Series,winspool,LPT1:\" create"}},
      {"box cleared, parallel row", 0, initial, false, "LPT1:", {}},
      {"LPT2 row writes nothing under Ports", 1, initial, false, "LPT1:", {}},
      {"LPT3 row writes nothing under Ports", 2, initial, false, "LPT1:", {}},
      {"Device takes the Select Port port", 1, initial, true, "USB001",
       {device + "\"WQ-350V Series,winspool,USB001\" create"}},
      {"empty port ends with the comma", 0, initial, true, "",
       {device + "\"WQ-350V Series,winspool,\" create"}},
      {"COM1 row, initial serial lists", 3, initial, false, "LPT1:",
       {ports + "[COM1:]=\"19200,N,8,1,p\""}},
      {"COM2 row, no flow control", 4, {4, 0, 2, 2, 0}, false, "LPT1:",
       {ports + "[COM2:]=\"9600,E,7,2, \""}},
      {"COM3 row", 5, {8, 3, 0, 1, 1}, false, "LPT1:",
       {ports + "[COM3:]=\"115200,O,5,1.5,x\""}},
      {"COM4 row", 6, {0, 1, 1, 0, 2}, true, "COM4:",
       {device + "\"WQ-350V Series,winspool,COM4:\" create",
        ports + "[COM4:]=\"300,M,6,1,p\""}},
      {"Space parity", 3, {6, 4, 3, 0, 0}, false, "LPT1:",
       {ports + "[COM1:]=\"38400,S,8,1, \""}},
  };
  for (const RegistryCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSystem fake;
    InstallServices services{fake, fake, fake, fake, fake};
    fake.portListIndex = c.portListIndex;
    fake.serial = c.serial;
    fake.setAsDefault = c.setAsDefault;

    const InstallReport report = InstallDriverPackage(kX86Profile, c.port, services);

    EXPECT_EQ(fake.Calls("SetString"), c.writes);
    EXPECT_EQ(fake.Calls("SetAsDefaultPrinter").size(), 1u);
    EXPECT_EQ(fake.Calls("SerialChoices").size(), c.portListIndex > 2 ? 1u : 0u);
    EXPECT_EQ(fake.Calls("SetProgress"), kAllProgress);
    EXPECT_TRUE(report.Succeeded()) << report.FailureMessage();
  }
}

struct SourceCase {
  const char* name;
  std::string currentDirectory;
  std::string programDirectory;
  std::set<std::string> directories;
  std::string driverDirectory;
  std::string firstCopy;
};

TEST(InstallSourceTest, SourceFolderAndPathJoining) {
  const SourceCase cases[] = {
      {"under the current directory", "C:\\Setup", "C:\\Prog", {"C:\\Setup\\x86", "C:\\Prog\\x86"},
       kX86Drivers, "C:\\Setup\\x86\\WQ3T.DLL -> " + kX86Drivers + "\\WQ3T.DLL"},
      {"falls back to the program folder", "C:\\Users\\me", "C:\\Prog", {"C:\\Prog\\x86"},
       kX86Drivers, "C:\\Prog\\x86\\WQ3T.DLL -> " + kX86Drivers + "\\WQ3T.DLL"},
      {"drive roots are not doubled", "D:\\", "E:\\", {"E:\\x86"}, "F:\\drivers\\",
       "E:\\x86\\WQ3T.DLL -> F:\\drivers\\WQ3T.DLL"},
  };
  for (const SourceCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSystem fake;
    InstallServices services{fake, fake, fake, fake, fake};
    fake.currentDirectory = c.currentDirectory;
    fake.programDirectory = c.programDirectory;
    fake.directories = c.directories;
    fake.driverDirectory = c.driverDirectory;

    const InstallReport report = InstallDriverPackage(kX86Profile, "LPT1:", services);

    const std::vector<std::string> copies = fake.Calls("CopyFileOver");
    ASSERT_EQ(copies.size(), 8u);
    EXPECT_EQ(copies[0], "CopyFileOver " + c.firstCopy);
    EXPECT_TRUE(report.Succeeded()) << report.FailureMessage();
  }
}

TEST_F(InstallTest, NoSourceFolderTriesTheCurrentDirectoryAndReportsEachCopy) {
  fake.directories.clear();
  const InstallReport report = Run();

  const std::vector<std::string> failures = Failures(report);
  ASSERT_EQ(failures.size(), 9u);
  EXPECT_EQ(failures[8], "Make \"WQ-350V Series\" the default printer: not changed, the driver files are incomplete");
  EXPECT_EQ(failures[0], "Copy C:\\Setup\\x86\\WQ3T.DLL to " + kX86Drivers +
                             "\\WQ3T.DLL: The system cannot find the path specified.");
  EXPECT_EQ(failures[7], "Copy C:\\Setup\\x86\\STDNAMES.GPD to " + kX86Drivers +
                             "\\STDNAMES.GPD: The system cannot find the path specified.");
  EXPECT_EQ(fake.Calls("RegisterDriver").size(), 1u);
  EXPECT_EQ(fake.Calls("AddPrinterOnPort").size(), 1u);
  EXPECT_EQ(fake.Calls("SetProgress"), kAllProgress);
}

// A spooler may accept the driver and the printer all the same; the
// default printer is still not switched to it.
TEST_F(InstallTest, FailingCopyIsNamedAndTheRestRunsButTheDefaultStays) {
  fake.failingCopies = {"C:\\Setup\\x86\\UNIDRV.HLP"};
  const InstallReport report = Run();

  EXPECT_EQ(fake.Calls("CopyFileOver").size(), 8u);
  EXPECT_EQ(fake.Calls("RegisterDriver").size(), 1u);
  EXPECT_EQ(fake.Calls("AddPrinterOnPort").size(), 1u);
  EXPECT_TRUE(fake.Calls("SetString").empty());
  EXPECT_EQ(fake.Calls("SetProgress"), kAllProgress);
  const std::vector<std::string> expected = {
      "Copy C:\\Setup\\x86\\UNIDRV.HLP to " + kX86Drivers + "\\UNIDRV.HLP: Access is denied.",
      "Make \"WQ-350V Series\" the default printer: not changed, the driver files are incomplete"};
  EXPECT_EQ(Failures(report), expected);
}

TEST_F(InstallTest, UnknownDriverDirectorySkipsTheCopiesOnly) {
  struct Case {
    const char* name;
    CallResult query;
    std::string directory;
    std::string queryFailure;
  };
  const Case cases[] = {
      {"query refused", CallResult::Failure("The RPC server is unavailable."), kX86Drivers,
       "The RPC server is unavailable."},
      {"empty directory", CallResult::Success(), "", "the spooler returned an empty directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSystem fake;
    InstallServices services{fake, fake, fake, fake, fake};
    fake.directoryResult = c.query;
    fake.driverDirectory = c.directory;

    const InstallReport report = InstallDriverPackage(kX86Profile, "LPT1:", services);

    EXPECT_TRUE(fake.Calls("CopyFileOver").empty());
    EXPECT_EQ(fake.Calls("RegisterDriver").size(), 1u);
    EXPECT_EQ(fake.Calls("AddPrinterOnPort").size(), 1u);
    EXPECT_EQ(fake.Calls("SetProgress"), kAllProgress);
    const std::vector<std::string> failures = Failures(report);
    ASSERT_EQ(failures.size(), 10u);
    EXPECT_EQ(failures[0], "Find the printer driver directory for Windows NT x86: " + c.queryFailure);
    EXPECT_TRUE(fake.Calls("SetString").empty());
    EXPECT_EQ(failures[1],
              "Copy C:\\Setup\\x86\\WQ3T.DLL to the driver directory: "
              "the spooler's driver directory is unknown");
    EXPECT_EQ(failures[8],
              "Copy C:\\Setup\\x86\\STDNAMES.GPD to the driver directory: "
              "the spooler's driver directory is unknown");
  }
}

TEST_F(InstallTest, RefusedDriverStillCreatesThePrinter) {
  fake.registerResult = CallResult::Failure("The printer driver is unknown.");
  const InstallReport report = Run();

  EXPECT_EQ(fake.Calls("AddPrinterOnPort").size(), 1u);
  EXPECT_EQ(fake.Calls("SetString").size(), 1u);
  const std::vector<std::string> expected = {
      "Register the printer driver \"WQ-350V Series\" for Windows NT x86: "
      "The printer driver is unknown."};
  EXPECT_EQ(Failures(report), expected);
}

TEST_F(InstallTest, RefusedPrinterIsNotMadeDefault) {
  fake.addPrinterResult = {CallResult::Failure("The port is unknown."), 0, false};
  fake.portListIndex = 3;
  const InstallReport report = Run();

  const std::vector<std::string> writes = {"SetString " + kSerialKey +
                                           " [COM1:]=\"19200,N,8,1,p\""};
  EXPECT_EQ(fake.Calls("SetString"), writes);
  EXPECT_TRUE(fake.Calls("ClosePrinterHandle").empty());
  EXPECT_EQ(fake.Calls("SetProgress"), kAllProgress);
  const std::vector<std::string> expected = {
      "Create the printer \"WQ-350V Series\" on port LPT1:: The port is unknown.",
      "Make \"WQ-350V Series\" the default printer: no printer was created"};
  EXPECT_EQ(Failures(report), expected);
}

TEST_F(InstallTest, ExistingPrinterCountsAsCreated) {
  fake.addPrinterResult = {CallResult::Failure("The printer already exists."), 0, true};
  const InstallReport report = Run();

  const std::vector<std::string> writes = {
      "SetString " + kDeviceKey + " [Device]=\"WQ-350V Series,winspool,LPT1:\" create"};
  EXPECT_EQ(fake.Calls("SetString"), writes);
  EXPECT_TRUE(fake.Calls("ClosePrinterHandle").empty());
  EXPECT_TRUE(report.Succeeded()) << report.FailureMessage();
  ASSERT_EQ(report.steps.size(), 12u);
  EXPECT_EQ(report.steps[10].step, "Create the printer \"WQ-350V Series\" on port LPT1:");
  EXPECT_EQ(report.steps[10].detail, "already exists");
}

struct RegistryFailureCase {
  const char* name;
  RegistryWriteResult device;
  RegistryWriteResult serial;
  std::vector<std::string> calls;
  std::vector<std::string> failures;
};

TEST(InstallRegistryTest, FailedWriteShowsTheMessageAtItsStep) {
  const RegistryWriteResult written;
  const RegistryWriteResult notOpened{RegistryWriteStatus::KeyNotOpened, "Access is denied."};
  const RegistryWriteResult notSet{RegistryWriteStatus::ValueNotSet, "The media is write protected."};
  const std::string setDevice =
      "SetString " + kDeviceKey + " [Device]=\"WQ-350V Series,winspool,LPT1:\" create";
  const std::string setSerial = "SetString " + kSerialKey + " [COM1:]=\"19200,N,8,1,p\"";
  const std::string deviceStep = "Make \"WQ-350V Series\" the default printer: ";
  const std::string serialStep = "Write the settings of serial port COM1:: ";
  const RegistryFailureCase cases[] = {
      {"Device key not opened", notOpened, written,
       {setDevice, kErrorShown, "SetProgress 90", setSerial, "SetProgress 95"},
       {deviceStep + "the key could not be opened: Access is denied."}},
      {"Device value not set", notSet, written,
       {setDevice, kErrorShown, "SetProgress 90", setSerial, "SetProgress 95"},
       {deviceStep + "the value could not be set: The media is write protected."}},
      {"Ports key not opened", written, notOpened,
       {setDevice, "SetProgress 90", setSerial, kErrorShown, "SetProgress 95"},
       {serialStep + "the key could not be opened: Access is denied."}},
      {"both fail, Device first", notSet, notSet,
       {setDevice, kErrorShown, "SetProgress 90", setSerial, kErrorShown, "SetProgress 95"},
       {deviceStep + "the value could not be set: The media is write protected.",
        serialStep + "the value could not be set: The media is write protected."}},
  };
  for (const RegistryFailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeSystem fake;
    InstallServices services{fake, fake, fake, fake, fake};
    fake.portListIndex = 3;
    fake.registryResults[RegistryRoot::CurrentUser] = c.device;
    fake.registryResults[RegistryRoot::LocalMachine] = c.serial;

    const InstallReport report = InstallDriverPackage(kX86Profile, "LPT1:", services);

    EXPECT_EQ(Calls(fake, {"SetString", "ShowRegistryError", "SetProgress 9"}), c.calls);
    EXPECT_EQ(Failures(report), c.failures);
    EXPECT_EQ(fake.log.back(), "SetProgress 100");
  }
}

TEST_F(InstallTest, ModelOutsideTheCatalogueTouchesNothing) {
  for (int row : {-1, 13}) {
    SCOPED_TRACE(row);
    fake.log.clear();
    fake.modelRow = row;
    const InstallReport report = Run();

    const std::vector<std::string> expectedLog = {"QueryDriverDirectory Windows NT x86",
                                                  "ModelRow", "PortListIndex"};
    EXPECT_EQ(fake.log, expectedLog);
    const std::vector<std::string> expected = {"Install the printer driver: no model selected"};
    EXPECT_EQ(Failures(report), expected);
  }
}

TEST(InstallReportTest, FailureMessageListsEachFailedStep) {
  InstallReport report;
  report.steps = {{"Find the printer driver directory for Windows x64", true, ""},
                  {"Copy C:\\Setup\\x64\\WQ3T.DLL to C:\\drv\\WQ3T.DLL", false, "Access is denied."},
                  {"Create the printer \"WQ-3T Series\" on port COM1:", true, "already exists"},
                  {"Make \"WQ-3T Series\" the default printer", false, "no printer was created"}};
  EXPECT_FALSE(report.Succeeded());
  EXPECT_EQ(report.FailureMessage(),
            "The installation did not complete. These steps failed:\n"
            "- Copy C:\\Setup\\x64\\WQ3T.DLL to C:\\drv\\WQ3T.DLL: Access is denied.\n"
            "- Make \"WQ-3T Series\" the default printer: no printer was created");

  report.steps[1].ok = true;
  report.steps[3].ok = true;
  EXPECT_TRUE(report.Succeeded());
  EXPECT_TRUE(InstallReport{}.Succeeded());
}

TEST(ChooseProfileTest, X64WhenEitherTestSaysSo) {
  struct Case {
    bool is64BitProcess, wow64;
    const ArchProfile* profile;
  };
  const Case cases[] = {{false, false, &kX86Profile},
                        {false, true, &kX64Profile},
                        {true, false, &kX64Profile},
                        {true, true, &kX64Profile}};
  for (const Case& c : cases) {
    EXPECT_EQ(&ChooseProfile(c.is64BitProcess, c.wow64), c.profile)
        << c.is64BitProcess << c.wow64;
  }
}

}  // namespace
