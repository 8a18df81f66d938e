#include "remove.h"

#include "catalogue.h"

InstallReport RemoveDriverPackage(const ArchProfile& profile, int modelRow,
                                  IPrinterRemoval& spooler) {
  InstallReport report;
  const std::string name = ModelCatalogue::DisplayName(modelRow);
  const std::string environment = profile.environmentName;

  const DeleteResult printer = spooler.DeletePrinterNamed(name);
  report.steps.push_back({"Delete printer \"" + name + "\"", printer.result.ok || printer.notFound,
                          printer.notFound ? "not installed, nothing to delete"
                                           : printer.result.error});

  std::vector<std::string> users;
  const CallResult listed = spooler.PrintersUsingDriver(name, users);
  const std::string driverStep = "Delete driver \"" + name + "\" (" + environment + ")";
  if (!listed.ok) {
    report.steps.push_back({driverStep, false, "the printers could not be listed: " + listed.error});
    return report;
  }
  if (!users.empty()) {
    std::string names;
    for (const std::string& user : users) names += (names.empty() ? "" : ", ") + user;
    // Not a failure: the driver is kept for the printers that need it.
    report.steps.push_back({driverStep, true, "kept, still used by " + names});
    return report;
  }
  const DeleteResult driver = spooler.DeleteDriverNamed(name, environment);
  report.steps.push_back({driverStep, driver.result.ok || driver.notFound,
                          driver.notFound ? "not installed, nothing to delete" : driver.result.error});
  return report;
}
