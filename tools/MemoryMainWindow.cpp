#include "MemoryMainWindow.h"

#include "platform/Layout.h"

MemoryMainWindow::MemoryMainWindow() {
  for (const ColumnLayout& column : kProgramsColumns)
    lvwPrograms.AddColumn(std::string(column.header), 1, column.alignment);
  for (const ColumnLayout& column : kCompatColumns)
    lvwCompat.AddColumn(std::string(column.header), 1, column.alignment);
}
