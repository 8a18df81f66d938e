// The thirteen supported models and the option tables behind the hidden
// serial-port lists of the Detail Setting page. Everything is indexed by the
// selection index of the list it serves; there is no lookup by text.
#pragma once

#include <cstddef>

namespace ModelCatalogue {

constexpr int kModelCount = 13;

// Three parallel arrays, one row per model, in the order of the model list.
extern const char* const kRenderingPluginBaseNames[kModelCount];
extern const char* const kDataFileBaseNames[kModelCount];
extern const char* const kDisplayNames[kModelCount];

const char* DisplayName(int row);
const char* DataFileBaseName(int row);
const char* RenderingPluginBaseName(int row);

}  // namespace ModelCatalogue

namespace SerialOptionTables {

// One table: the items its list shows and the registry text of each item.
struct Table {
  const char* const* items;
  const char* const* values;
  int rows;
  int initialRow;
};

extern const Table kPortValueNames;  // port list 1014; rows 3..6 are serial
extern const Table kBaudRates;       // 1015
extern const Table kDataBits;        // 1016
extern const Table kStopBits;        // 1019
extern const Table kParities;        // 1018
extern const Table kFlowControls;    // 1017

// Rows of the port list that name a serial port enable the serial lists and
// lead to a registry write.
constexpr int kFirstSerialPortRow = 3;
constexpr int kInitialModelRow = 5;

const char* Value(const Table& table, int row);

}  // namespace SerialOptionTables
