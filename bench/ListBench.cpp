// How the list copes with many rows: filling 50,000 image-and-text rows (with the layout that
// follows), painting one frame while scrolling through them, and emptying the list.
// Run: build/bench/ui_list_bench (offscreen). Filling should stay well under a second and a
// scrolled frame well under the 16 ms of a 60 Hz screen.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <span>
#include <string>

#include "ui/ListElementUI.h"
#include "ui/TestHarness.h"
#include "ui/UIApplication.h"
#include "ui/WindowImplBase.h"

namespace zbe {

std::span<const unsigned char> ZbeBenchSkin();

namespace {

constexpr int kRows = 50000;

class BenchWindow : public WindowImplBase {
 public:
  std::string GetWindowClassName() const override { return "UIBenchWnd"; }

 protected:
  std::string GetSkinFile() override { return "xml/bench_list.xml"; }
};

void Fill(CListUI* list, int rows) {
  for (int i = 0; i < rows; ++i) {
    auto row = std::make_unique<CListImageTextElementUI>();
    row->SetImage(1, i % 7 == 0 ? "file='Controls.png' source='56,465,74,483'"
                                : "file='Controls.png' source='29,465,47,483'");
    row->SetText(1, "IMG_" + std::to_string(1000 + i) + ".JPG");
    row->SetText(2, "2020-06-01 09:30:12");
    row->SetText(3, std::to_string(1 + i % 900) + ".25 KB");
    row->SetCheck(i % 3 != 0);
    list->Add(std::move(row));
  }
}

void BM_FillAndLayOut50000Rows(benchmark::State& state) {
  BenchWindow wnd;
  wnd.Create(nullptr, "bench", UIWindowKind::kMain);
  UITestHarness h(wnd);
  auto* list = wnd.GetManager().Find<CListUI>("DataList");
  for (auto _ : state) {
    Fill(list, kRows);
    h.Layout();
    state.PauseTiming();
    list->RemoveAll();
    wnd.GetManager().FlushDelayedCleanup();
    state.ResumeTiming();
  }
  state.counters["rows"] = kRows;
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_FillAndLayOut50000Rows)->Unit(benchmark::kMillisecond);

void BM_ScrollOneStepAndPaintAFrame(benchmark::State& state) {
  BenchWindow wnd;
  wnd.Create(nullptr, "bench", UIWindowKind::kMain);
  UITestHarness h(wnd);
  auto* list = wnd.GetManager().Find<CListUI>("DataList");
  Fill(list, kRows);
  h.Layout();
  int y = 0;
  for (auto _ : state) {
    y = (y + 48) % list->GetScrollRange().cy;
    list->SetScrollPos(UISize{0, y});
    h.PaintFrame();
  }
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ScrollOneStepAndPaintAFrame)->Unit(benchmark::kMillisecond);

void BM_SelectRowByKeyInTheMiddle(benchmark::State& state) {
  BenchWindow wnd;
  wnd.Create(nullptr, "bench", UIWindowKind::kMain);
  UITestHarness h(wnd);
  auto* list = wnd.GetManager().Find<CListUI>("DataList");
  Fill(list, kRows);
  h.Layout();
  list->SelectItem(kRows / 2);
  for (auto _ : state) {
    list->SelectItem(list->GetCurSel() + 1 < kRows ? list->GetCurSel() + 1 : 0);
    h.PaintFrame();
  }
}
BENCHMARK(BM_SelectRowByKeyInTheMiddle)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zbe

int main(int argc, char** argv) {
  std::unique_ptr<zbe::UIApplication> app = zbe::UITestHarness::StartApplication();
  app->SetResourceZip(zbe::ZbeBenchSkin());
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
