// What the unattended mode needs beyond the install's services: removal
// through the spooler, and the log file.
#pragma once

#include <string>

#include "remove.h"

class WinPrinterRemoval : public IPrinterRemoval {
 public:
  DeleteResult DeletePrinterNamed(const std::string& printer) override;
  CallResult PrintersUsingDriver(const std::string& driver,
                                 std::vector<std::string>& printers) override;
  DeleteResult DeleteDriverNamed(const std::string& driver,
                                 const std::string& environment) override;
};

// Appends UTF-8 text to a file, creating it when it does not exist.
CallResult AppendToFile(const std::string& path, const std::string& text);

// The local time as "YYYY-MM-DD hh:mm:ss".
std::string LocalTimestamp();
