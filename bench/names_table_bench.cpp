// Times what the window does on each keystroke and change with 10,000 names, each with three
// fields (class, student ID, teacher) as an imported roster brings them: the names table
// (the real model over the display order and the real view, painted offscreen) after a search
// keystroke (also with the fields shown as columns), a note keystroke with its store write, a
// page of scrolling and a new selection. Prints figures and ratios against baselines measured in
// the same run: one repaint of the unchanged table, the same search over a list without fields,
// and the same store bytes written plainly. Never passes or fails on time.
#include <unistd.h>
#include "bench_roster.h"
#include "bench_timing.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "grid_format.h"
#include "grid_store.h"
#include "names_list.h"
#include "names_table_model.h"
#include "qt_text_folding.h"
#include "scan_match.h"
#include "vantrel_table_view.h"

namespace fs = std::filesystem;
using namespace vantrel::names;

namespace {

constexpr int kNames = 10000;

// The window's table as the controller sets it up, without the rest of the window.
struct Table {
  explicit Table(NamesList& names) : model(names), view() {
    view.setModel(&model);
    view.horizontalHeader()->setSectionResizeMode(NamesTableModel::NameColumn,
                                                  QHeaderView::Stretch);
    view.setColumnWidth(NamesTableModel::MarkerColumn, 44);
    view.setColumnWidth(NamesTableModel::CountColumn, 58);
    view.resize(700, 800);
    view.show();
    // Painting only happens once the window is on its (offscreen) screen.
    while (!view.windowHandle() || !view.windowHandle()->isExposed()) {
      QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QApplication::processEvents();
  }
  void select(DisplayRow row) {
    view.selectionModel()->setCurrentIndex(
        model.index(static_cast<int>(row), NamesTableModel::NameColumn),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  void paint() { view.viewport()->repaint(); }

  NamesTableModel model;
  VantrelTableView view;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const fs::path dir =
      fs::temp_directory_path() / ("vantrel_table_bench_" + std::to_string(getpid()));
  fs::create_directories(dir);

  NamesList names(namesTextFolding());
  names.replaceRows(makeRosterWithFields(kNames), kRosterFieldNames);
  names.setSelectedRow(kNames / 2);
  names.applySearchFilter();
  GridStore store(dir / "vantrel_grid.csv");
  store.save(names);
  Table table(names);
  table.model.reload();
  table.select(names.displayRowForModelRow(names.selectedRow()));
  table.paint();
  std::printf(
      "Names table, %d names with %zu fields, offscreen %dx%d (median of repeated runs)\n\n",
      kNames, names.fieldNames().size(), table.view.viewport()->width(),
      table.view.viewport()->height());

  const double frame = medianMs(31, [&] { table.paint(); });
  std::printf("Baseline: one repaint of the unchanged table %.3f ms\n\n", frame);

  // A search keystroke: the display order is rebuilt, the model reset, the current person
  // selected again if shown, and the table painted.
  const char* typed[] = {"a", "an", "ann", "ann ", "ann l", "ann", ""};
  int next = 0;
  auto keystroke = [&] {
    names.setSearchText(typed[next++ % 7]);
    names.applySearchFilter();
    table.model.reload();
    const DisplayRow shown = names.displayRowForModelRow(names.selectedRow());
    if (shown >= 0) table.select(shown);
    table.paint();
  };
  std::printf("Search keystroke\n");
  // Baseline for the fields' cost: the same names and notes without fields.
  NamesList withoutFields(namesTextFolding());
  withoutFields.replaceRows(makeRoster(kNames));
  withoutFields.applySearchFilter();
  const double noFields = medianMs(35, [&] {
    withoutFields.setSearchText(typed[next++ % 7]);
    withoutFields.applySearchFilter();
  });
  std::printf("  baseline: filter only, the list without fields %.3f ms\n", noFields);
  report("filter only, three fields",
         medianMs(35,
                  [&] {
                    names.setSearchText(typed[next++ % 7]);
                    names.applySearchFilter();
                  }),
         "no fields", noFields);
  report("filter only (display order rebuild)",
         medianMs(35,
                  [&] {
                    names.setSearchText(typed[next++ % 7]);
                    names.applySearchFilter();
                  }),
         "repaint", frame);
  report("keystroke, list order", medianMs(35, keystroke), "repaint", frame);
  table.model.setShownFieldNames({"Class", "Student ID", "Teacher"});
  table.model.reload();
  report("keystroke, the three fields shown as columns", medianMs(35, keystroke), "repaint", frame);
  table.model.setShownFieldNames({});
  table.model.reload();
  names.cycleSortMode();
  report("filter only, sorted A to Z",
         medianMs(35,
                  [&] {
                    names.setSearchText(typed[next++ % 7]);
                    names.applySearchFilter();
                  }),
         "repaint", frame);
  report("keystroke, sorted A to Z", medianMs(35, keystroke), "repaint", frame);
  names.cycleSortMode();
  names.cycleSortMode();
  names.setSearchText("");
  names.applySearchFilter();
  table.model.reload();

  // A note keystroke: the cell changes, the whole store is rewritten, the row repainted.
  const std::string bytes =
      formatGrid(names.rows(), GridColumns::NameNoteCountMarker, names.fieldNames());
  const double plainWrite = medianMs(15, [&] { std::ofstream(dir / "plain.csv") << bytes; });
  std::printf("\nStore write per change (store %.0f KiB)\n", bytes.size() / 1024.0);
  std::printf("  baseline: the same bytes written plainly, no temporary file, no fsync %.3f ms\n",
              plainWrite);
  report("store write alone (temp file, fsync, rename)",
         medianMs(21,
                  [&] {
                    names.setNote(names.selectedRow(), "note " + std::to_string(next++));
                    store.saveIfChanged(names);
                  }),
         "plain write", plainWrite);
  report("note keystroke: cell, store write, row repaint",
         medianMs(21,
                  [&] {
                    const ModelRow row = names.selectedRow();
                    names.setNote(row, "note " + std::to_string(next++));
                    store.saveIfChanged(names);
                    table.model.modelRowChanged(row);
                    table.paint();
                  }),
         "plain write", plainWrite);

  std::printf("\nScrolling and selecting\n");
  QScrollBar* bar = table.view.verticalScrollBar();
  int page = 0;
  report("scroll one page and paint",
         medianMs(41,
                  [&] {
                    bar->setValue((++page * bar->pageStep()) % std::max(1, bar->maximum()));
                    table.paint();
                  }),
         "repaint", frame);
  report("select another row, scroll to it, paint",
         medianMs(41,
                  [&] {
                    const DisplayRow row = (next++ * 7919) % kNames;
                    table.select(row);
                    table.view.scrollTo(table.model.index(static_cast<int>(row), 1));
                    table.paint();
                  }),
         "repaint", frame);
  report("select all 10,000 rows and paint",
         medianMs(11,
                  [&] {
                    table.view.clearSelection();
                    table.view.selectAll();
                    table.paint();
                  }),
         "repaint", frame);

  // A scan: a code typed by a barcode scanner selects the one person whose field holds it. The
  // list gets an ID field (and two more) first; the code is near the end of the list.
  const std::size_t idField = names.addField("Student ID");
  const std::size_t gradeField = names.addField("Grade");
  const std::size_t teacherField = names.addField("Teacher");
  for (ModelRow row = 0; row < kNames; ++row) {
    names.setFieldValue(row, idField, "S" + std::to_string(100000 + row));
    names.setFieldValue(row, gradeField, std::to_string(1 + row % 12));
    names.setFieldValue(row, teacherField, row % 2 ? "Ms. Okafor" : "Mr. Rossi");
  }
  std::printf("\nScan to select (three fields)\n");
  int scans = 0;
  report("scan: match a code against every name, note and field, select, paint",
         medianMs(35,
                  [&] {
                    const std::string code = "s" + std::to_string(100000 + kNames - 1 - scans++);
                    const auto rows = rowsMatchingScan(names, code);
                    if (rows.size() == 1) {
                      table.select(names.displayRowForModelRow(rows.front()));
                      table.paint();
                    }
                  }),
         "repaint", frame);
  report("keystroke with three fields, list order", medianMs(35, keystroke), "repaint", frame);

  fs::remove_all(dir);
  return 0;
}
