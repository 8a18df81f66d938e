#include "catalogue.h"

namespace ModelCatalogue {

// Every model shares one rendering plug-in; only the data file differs.
const char* const kRenderingPluginBaseNames[kModelCount] = {
    "WQ3T", "WQ3T", "WQ3T", "WQ3T", "WQ3T", "WQ3T", "WQ3T",
    "WQ3T", "WQ3T", "WQ3T", "WQ3T", "WQ3T", "WQ3T",
};

const char* const kDataFileBaseNames[kModelCount] = {
    "WQ310", "WQ320", "WQ330",  "WQ340", "WQ350", "WQ350V", "WQ372",
    "WQ374", "WQ374R", "WQK374", "WQ3T", "WQ3D", "WQ3RC",
};

const char* const kDisplayNames[kModelCount] = {
    "WQ-310 Series",  "WQ-320 Series",  "WQ-330 Series", "WQ-340 Series",
    "WQ-350 Series",  "WQ-350V Series", "WQ-372 Series", "WQ-374 Series",
    "WQ-374R Series", "WQ-K374 Series", "WQ-3T Series",  "WQ-3D Series",
    "WQ-3RC Series",
};

namespace {
// Callers pass the selection index of a list that always holds all rows;
// a stray index still must not read past the table.
const char* Row(const char* const (&table)[kModelCount], int row) {
  return row >= 0 && row < kModelCount ? table[row] : "";
}
}  // namespace

const char* DisplayName(int row) { return Row(kDisplayNames, row); }
const char* DataFileBaseName(int row) { return Row(kDataFileBaseNames, row); }
const char* RenderingPluginBaseName(int row) { return Row(kRenderingPluginBaseNames, row); }

}  // namespace ModelCatalogue

namespace SerialOptionTables {

namespace {

// The port list shows the names without the colon; Windows keeps each serial
// port's settings under the name with it.
const char* const kPortItems[] = {"LPT1", "LPT2", "LPT3", "COM1", "COM2", "COM3", "COM4"};
const char* const kPortValues[] = {"LPT1:", "LPT2:", "LPT3:", "COM1:",
                                   "COM2:", "COM3:", "COM4:"};

const char* const kBaudRateTexts[] = {"300",   "1200",  "2400",  "4800",  "9600",
                                      "19200", "38400", "57600", "115200"};
const char* const kDataBitTexts[] = {"5", "6", "7", "8"};
const char* const kStopBitTexts[] = {"1", "1.5", "2"};

const char* const kParityItems[] = {"Even", "Mark", "None", "Odd", "Space"};
const char* const kParityValues[] = {"E", "M", "N", "O", "S"};

// "No flow control" is stored as one blank, so the settings text always has
// five fields.
const char* const kFlowItems[] = {"None", "XonXoff", "Hardware"};
const char* const kFlowValues[] = {" ", "x", "p"};

template <std::size_t N>
constexpr int Rows(const char* const (&)[N]) {
  return static_cast<int>(N);
}

}  // namespace

const Table kPortValueNames = {kPortItems, kPortValues, Rows(kPortItems), 0};
const Table kBaudRates = {kBaudRateTexts, kBaudRateTexts, Rows(kBaudRateTexts), 5};
const Table kDataBits = {kDataBitTexts, kDataBitTexts, Rows(kDataBitTexts), 3};
const Table kStopBits = {kStopBitTexts, kStopBitTexts, Rows(kStopBitTexts), 0};
const Table kParities = {kParityItems, kParityValues, Rows(kParityItems), 2};
const Table kFlowControls = {kFlowItems, kFlowValues, Rows(kFlowItems), 2};

const char* Value(const Table& table, int row) {
  return row >= 0 && row < table.rows ? table.values[row] : "";
}

}  // namespace SerialOptionTables
