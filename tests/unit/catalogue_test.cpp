#include "catalogue.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

struct ModelRowCase {
  const char* displayName;
  const char* dataFileBaseName;
  const char* renderingPluginBaseName;
};

const ModelRowCase kModelRows[] = {
    {"WQ-310 Series", "WQ310", "WQ3T"},   {"WQ-320 Series", "WQ320", "WQ3T"},
    {"WQ-330 Series", "WQ330", "WQ3T"},   {"WQ-340 Series", "WQ340", "WQ3T"},
    {"WQ-350 Series", "WQ350", "WQ3T"},   {"WQ-350V Series", "WQ350V", "WQ3T"},
    {"WQ-372 Series", "WQ372", "WQ3T"},   {"WQ-374 Series", "WQ374", "WQ3T"},
    {"WQ-374R Series", "WQ374R", "WQ3T"}, {"WQ-K374 Series", "WQK374", "WQ3T"},
    {"WQ-3T Series", "WQ3T", "WQ3T"},     {"WQ-3D Series", "WQ3D", "WQ3T"},
    {"WQ-3RC Series", "WQ3RC", "WQ3T"},
};

TEST(CatalogueTest, ModelRowsInListOrder) {
  ASSERT_EQ(std::size(kModelRows), static_cast<size_t>(ModelCatalogue::kModelCount));
  for (int row = 0; row < ModelCatalogue::kModelCount; ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    const ModelRowCase& want = kModelRows[row];
    EXPECT_STREQ(ModelCatalogue::kDisplayNames[row], want.displayName);
    EXPECT_STREQ(ModelCatalogue::kDataFileBaseNames[row], want.dataFileBaseName);
    EXPECT_STREQ(ModelCatalogue::kRenderingPluginBaseNames[row], want.renderingPluginBaseName);
    EXPECT_STREQ(ModelCatalogue::DisplayName(row), want.displayName);
    EXPECT_STREQ(ModelCatalogue::DataFileBaseName(row), want.dataFileBaseName);
    EXPECT_STREQ(ModelCatalogue::RenderingPluginBaseName(row), want.renderingPluginBaseName);
  }
  EXPECT_EQ(SerialOptionTables::kInitialModelRow, 5);
}

struct SerialTableCase {
  const char* name;
  const SerialOptionTables::Table& table;
  std::vector<std::string> items;
  std::vector<std::string> values;
  int initialRow;
};

TEST(CatalogueTest, SerialTablesItemsValuesAndInitialRows) {
  using namespace SerialOptionTables;
  const SerialTableCase cases[] = {
      {"port", kPortValueNames,
       {"LPT1", "LPT2", "LPT3", "COM1", "COM2", "COM3", "COM4"},
       {"LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:", "COM3:", "COM4:"},
       0},
      {"baud rate", kBaudRates,
       {"300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"},
       {"300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"},
       5},
      {"data bits", kDataBits, {"5", "6", "7", "8"}, {"5", "6", "7", "8"}, 3},
      {"stop bits", kStopBits, {"1", "1.5", "2"}, {"1", "1.5", "2"}, 0},
      {"parity", kParities,
       {"Even", "Mark", "None", "Odd", "Space"},
       {"E", "M", "N", "O", "S"},
       2},
      // "None" is one blank, never an empty field.
      {"flow control", kFlowControls, {"None", "XonXoff", "Hardware"}, {" ", "x", "p"}, 2},
  };
  for (const SerialTableCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.table.rows, static_cast<int>(c.items.size()));
    for (int row = 0; row < c.table.rows; ++row) {
      EXPECT_EQ(c.table.items[row], c.items[row]) << "row " << row;
      EXPECT_EQ(c.table.values[row], c.values[row]) << "row " << row;
      EXPECT_STREQ(Value(c.table, row), c.values[row].c_str()) << "row " << row;
    }
    EXPECT_EQ(c.table.initialRow, c.initialRow);
    // A stray index must not read outside the table.
    EXPECT_STREQ(Value(c.table, -1), "");
    EXPECT_STREQ(Value(c.table, c.table.rows), "");
  }
  EXPECT_EQ(kFirstSerialPortRow, 3);
}

}  // namespace
