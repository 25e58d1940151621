// The whole search in the real window, from the click on the search button to the filled list,
// against the bare walker over the same tree in the same run. Also measures how long the window
// takes to answer a message while the search runs.
// usage: search_bench.exe TREE BARE_WALKER_EXE [ROUNDS]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "actions/desktop_win.h"
#include "actions/process_starter_win.h"
#include "app/application.h"
#include "app/main_window_win.h"
#include "common/unique_handle_win.h"
#include "search/directory_reader_win.h"

namespace quillfern {
namespace {

double now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER counter;
  ::QueryPerformanceCounter(&counter);
  return 1e3 * static_cast<double>(counter.QuadPart) / frequency;
}

// The main window with a stopwatch on the two operations the walk calls after every folder entry.
class TimingWindow final : public WindowOperations {
 public:
  explicit TimingWindow(MainWindow& window) : window_(window) {}
  double statusMs = 0;
  double eventsMs = 0;

  void clearResultList() override { window_.clearResultList(); }
  int appendResultLine(const Text& line) override { return window_.appendResultLine(line); }
  int selectedResultLine() const override { return window_.selectedResultLine(); }
  void setSearchButtonDisabled(bool disabled) override {
    window_.setSearchButtonDisabled(disabled);
  }
  void setStatusText(const Text& text) override {
    const double start = now();
    window_.setStatusText(text);
    statusMs += now() - start;
  }
  void processPendingEvents() override {
    const double start = now();
    window_.processPendingEvents();
    eventsMs += now() - start;
  }
  bool isRadioChecked(Control radio) const override { return window_.isRadioChecked(radio); }
  Text extensionText() const override { return window_.extensionText(); }
  void setExtensionText(const Text& text) override { window_.setExtensionText(text); }
  int windowWidth() const override { return window_.windowWidth(); }
  int windowHeight() const override { return window_.windowHeight(); }
  void setResultListWidth(int width) override { window_.setResultListWidth(width); }
  void setResultListHeight(int height) override { window_.setResultListHeight(height); }
  bool windowClosed() const override { return window_.windowClosed(); }

 private:
  MainWindow& window_;
};

double bareWalkMs(const std::string& walker, const std::string& tree) {
  SECURITY_ATTRIBUTES inherit{.nLength = sizeof inherit, .bInheritHandle = TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return -1;
  const UniqueKernelHandle reader(readEnd);
  UniqueKernelHandle writer(writeEnd);
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{.cb = sizeof startup,
                       .dwFlags = STARTF_USESTDHANDLES,
                       .hStdOutput = writeEnd,
                       .hStdError = writeEnd};
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + walker + "\" \"" + tree + "\"";
  if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return -1;
  }
  const UniqueKernelHandle thread(process.hThread), child(process.hProcess);
  writer.reset();
  std::string output;
  char buffer[256];
  DWORD got = 0;
  while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
    output.append(buffer, got);
  ::WaitForSingleObject(child.get(), INFINITE);
  const std::size_t at = output.find("elapsed_ms ");
  return at == std::string::npos ? -1 : std::atof(output.c_str() + at + 11);
}

double percentile(std::vector<double> values, double fraction) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1))];
}

double median(std::vector<double> values) {
  return percentile(std::move(values), 0.5);
}

}  // namespace
}  // namespace quillfern

int main(int argc, char** argv) {
  using namespace quillfern;
  if (argc < 3) {
    std::fprintf(stderr, "usage: search_bench TREE BARE_WALKER_EXE [ROUNDS]\n");
    return 2;
  }
  const std::string tree = argv[1];
  const int rounds = argc > 3 ? std::atoi(argv[3]) : 5;
  const INITCOMMONCONTROLSEX controls{.dwSize = sizeof controls,
                                      .dwICC = ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  ProgramState state;
  MainWindow window;
  TimingWindow timed(window);
  Win32DirectoryReader reader;
  Win32Desktop desktop;
  Win32ProcessStarter processes;
  Application application(state, timed, Platform{reader, desktop, processes});
  if (!window.create(::GetModuleHandleW(nullptr), application)) return 1;
  state.cacheRoot = tree;
  HWND button = window.controlHandle(Control::按钮1);
  HWND list = window.controlHandle(Control::列表框1);
  HWND main = window.handle();
  window.processPendingEvents();

  std::vector<double> bare, search, statusShare, eventsShare, latencies;
  int lines = 0;
  for (int round = 0; round <= rounds; ++round) {  // round 0 warms the caches up
    const double bareMs = bareWalkMs(argv[2], tree);

    std::atomic<bool> searching{true};
    std::vector<double> sampled;
    std::thread sampler([&] {
      while (searching) {
        const double start = now();
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        // The search ends on the other thread meanwhile; a sample taken after it does not count.
        // cppcheck-suppress identicalInnerCondition
        if (searching) sampled.push_back(now() - start);
        ::Sleep(10);
      }
    });
    timed.statusMs = timed.eventsMs = 0;
    const double start = now();
    ::SendMessageW(button, BM_CLICK, 0, 0);
    const double searchMs = now() - start;
    searching = false;
    sampler.join();
    lines = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    if (round == 0) continue;
    bare.push_back(bareMs);
    search.push_back(searchMs);
    statusShare.push_back(timed.statusMs / searchMs);
    eventsShare.push_back(timed.eventsMs / searchMs);
    latencies.insert(latencies.end(), sampled.begin(), sampled.end());
  }

  std::printf("tree %s: %d lines listed, %d rounds after one warm-up\n", tree.c_str(), lines,
              rounds);
  std::printf("bare walker:  median %8.1f ms\n", median(bare));
  std::printf("search:       median %8.1f ms (click to filled list)\n", median(search));
  std::printf("ratio search / bare walker: %.2f\n", median(search) / median(bare));
  std::printf("share of the search in status text %.1f %%, in event processing %.1f %%\n",
              100 * median(statusShare), 100 * median(eventsShare));
  std::printf(
      "answer to a message during the search: p50 %.1f ms, p99 %.1f ms, max %.1f ms (%zu "
      "samples)\n",
      percentile(latencies, 0.5), percentile(latencies, 0.99), percentile(latencies, 1.0),
      latencies.size());
  ::DestroyWindow(main);
  return 0;
}
