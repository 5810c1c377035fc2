#include "bench/BenchTable.h"

#include <cstdio>
#include <string_view>

namespace zbe::bench {
namespace {

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Seconds(double seconds) {
  if (seconds >= 1) {
    return Format("%.2f s", seconds);
  }
  if (seconds >= 0.001) {
    return Format("%.1f ms", seconds * 1e3);
  }
  return Format("%.0f µs", seconds * 1e6);
}

// A whole number with thousands separators ("312,000").
std::string Grouped(double value) {
  std::string digits = Format("%.0f", value);
  std::string out;
  size_t lead = digits.size() % 3;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i != 0 && (i + 3 - lead) % 3 == 0) {
      out += ',';
    }
    out += digits[i];
  }
  return out;
}

// Three significant digits: small ratios (a figure far below its floor) stay readable.
std::string Ratio(double ratio) {
  return Format("%.3g", ratio);
}

std::string Megabytes(double bytes) {
  return Format("%.1f MB", bytes / 1e6);
}

double Counter(const std::map<std::string, double>& counters, const std::string& name) {
  auto it = counters.find(name);
  return it != counters.end() ? it->second : 0;
}

}  // namespace

bool TableReporter::ReportContext(const Context&) {
  return true;
}

void TableReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration) {
      continue;
    }
    const std::string name = run.run_name.function_name;
    Best& best = best_[name];
    if (run.error_occurred) {
      best.error = run.error_message;
      std::fprintf(stderr, "bench: %s failed: %s\n", name.c_str(), run.error_message.c_str());
      continue;
    }
    double seconds = run.real_accumulated_time / static_cast<double>(run.iterations);
    std::fprintf(stderr, "bench: %s %s\n", name.c_str(), Seconds(seconds).c_str());
    if (!best.measured || seconds < best.seconds) {
      best.measured = true;
      best.seconds = seconds;
      best.counters.clear();
      for (const auto& [key, counter] : run.counters) {
        best.counters[key] = counter.value;
      }
    }
  }
}

std::string TableReporter::Cells(const TableRow& row) const {
  auto figure = best_.find(row.figure);
  auto floor = best_.find(row.floor);
  if (figure == best_.end() || (row.kind != RowKind::kMemory && floor == best_.end())) {
    return "not run | | ";
  }
  if (!figure->second.error.empty() ||
      (row.kind != RowKind::kMemory && !floor->second.error.empty())) {
    const std::string& error =
        figure->second.error.empty() ? floor->second.error : figure->second.error;
    return "failed: " + error + " | | ";
  }
  if (!figure->second.measured || (row.kind != RowKind::kMemory && !floor->second.measured)) {
    return "not run | | ";
  }
  const Best& f = figure->second;
  if (row.kind == RowKind::kMemory) {
    double peak = Counter(f.counters, "peak");
    double start = Counter(f.counters, "start");
    double text = Counter(f.counters, "text");
    double ratio = text > 0 ? (peak - start) / text : 0;
    return Megabytes(peak) + " peak, " + Megabytes(peak - start) + " over the start | " +
           Megabytes(text) + " of text | " + Ratio(ratio);
  }
  const Best& l = floor->second;
  switch (row.kind) {
    case RowKind::kTime:
      return Seconds(f.seconds) + " | " + Seconds(l.seconds) + " | " + Ratio(f.seconds / l.seconds);
    case RowKind::kTimePerRecord: {
      double records = Counter(f.counters, "records");
      auto per = [records](double seconds) {
        return records > 0 ? " (" + Format("%.2f", seconds / records * 1e6) + " µs/record)" : "";
      };
      return Seconds(f.seconds) + per(f.seconds) + " | " + Seconds(l.seconds) + per(l.seconds) +
             " | " + Ratio(f.seconds / l.seconds);
    }
    case RowKind::kItemRate: {
      double figureRate = Counter(f.counters, "items") / f.seconds;
      double floorRate = Counter(l.counters, "items") / l.seconds;
      return Grouped(figureRate) + " " + row.unit + "/s | " + Grouped(floorRate) + " " + row.unit +
             "/s | " + Ratio(figureRate / floorRate);
    }
    case RowKind::kByteRate: {
      double figureRate = Counter(f.counters, "bytes") / f.seconds;
      double floorRate = Counter(l.counters, "bytes") / l.seconds;
      return Megabytes(figureRate) + "/s | " + Megabytes(floorRate) + "/s | " +
             Ratio(figureRate / floorRate);
    }
    case RowKind::kMemory:
      break;
  }
  return " | | ";
}

void TableReporter::Finalize() {
  std::printf("| what | figure | floor | ratio | goal |\n|---|---|---|---|---|\n");
  for (const TableRow& row : rows_) {
    std::printf("| %s | %s | %s |\n", row.label.c_str(), Cells(row).c_str(), row.goal.c_str());
  }
  std::fflush(stdout);
}

}  // namespace zbe::bench
