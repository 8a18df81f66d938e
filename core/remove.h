// Unattended removal: the printer of a model, then its driver when no other
// printer uses it.
#pragma once

#include <string>
#include <vector>

#include "install.h"
#include "services.h"

struct DeleteResult {
  CallResult result;
  bool notFound = false;  // there was nothing of that name to delete
};

class IPrinterRemoval {
 public:
  virtual ~IPrinterRemoval() = default;
  virtual DeleteResult DeletePrinterNamed(const std::string& printer) = 0;
  // Names of the local printers that use the driver.
  virtual CallResult PrintersUsingDriver(const std::string& driver,
                                         std::vector<std::string>& printers) = 0;
  virtual DeleteResult DeleteDriverNamed(const std::string& driver,
                                         const std::string& environment) = 0;
};

InstallReport RemoveDriverPackage(const ArchProfile& profile, int modelRow,
                                  IPrinterRemoval& spooler);
