#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace zbe::bench {

// How a row of the table turns its two benchmarks into figures.
enum class RowKind {
  // Wall time of each; ratio figure / floor (lower is better).
  kTime,
  // The same, with the time per record (counter "records" of the figure's run) beside each.
  kTimePerRecord,
  // Items per second of each (counter "items"); ratio figure / floor (higher is better).
  kItemRate,
  // Megabytes (10^6 bytes) per second of each (counter "bytes"); ratio figure / floor.
  kByteRate,
  // One run of the figure's benchmark with the counters "peak", "start" and "text" (bytes): the
  // figure is the peak resident memory (and its growth over the start), the floor the bytes of
  // text; ratio growth / text.
  kMemory,
};

// One line of the table: what is measured, the benchmark of the figure and that of its floor
// (empty for kMemory), and the goal the ratio is held against.
struct TableRow {
  std::string label;
  std::string figure;
  std::string floor;
  RowKind kind = RowKind::kTime;
  std::string goal;
  std::string unit = "items";  // what kItemRate counts ("messages")
};

// A reporter that keeps the best repetition of every benchmark (the shortest wall time; manual
// time where the benchmark sets it), tells progress on stderr and, at the end, prints the rows
// as one Markdown table on stdout. A row whose benchmark failed shows the error instead.
class TableReporter : public benchmark::BenchmarkReporter {
 public:
  explicit TableReporter(std::vector<TableRow> rows) : rows_(std::move(rows)) {}

  bool ReportContext(const Context& context) override;
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  struct Best {
    bool measured = false;
    double seconds = 0;  // wall time of one iteration
    std::map<std::string, double> counters;
    std::string error;  // set when a repetition failed
  };

  // The cells "figure | floor | ratio" of "row".
  std::string Cells(const TableRow& row) const;

  const std::vector<TableRow> rows_;
  std::map<std::string, Best> best_;
};

}  // namespace zbe::bench
