// A long run of the real Quillfern.exe under Wine, driven from another process: 1000 searches
// with 搜索, then 500 rounds of 打开文件夹 and 提取到桌面 on a small cache of its own. Every 50
// searches or rounds it samples what the program holds (kernel handles, GDI objects, windows,
// private bytes), and at the end it prints the samples and the growth from the first sample
// after the warm-up to the last. Exits with 1 when something grew beyond noise, with 2 when the
// program did not do what it was asked.
#include <windows.h>
#include <psapi.h>
#include <shlobj.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/commands.h"
#include "common/unique_handle_win.h"
#include "fixtures.h"
#include "harness.h"

#define QUILLFERN_WIDEN_(text) L##text
#define QUILLFERN_WIDEN(text) QUILLFERN_WIDEN_(text)

namespace quillfern::soak {
namespace {

using namespace e2e;
using Clock = std::chrono::steady_clock;

constexpr int kSearches = 1000;
constexpr int kRounds = 500;
constexpr int kSampleEvery = 50;
// How long a command may take before the soak gives up on the program.
constexpr std::chrono::milliseconds kCommandTimeout{10000};

// What may grow from the first sample after the warm-up (the first 50 searches or rounds, in
// which the program and Wine make what they make once: the message box's fonts, cached keys) to
// the last. Between commands the program holds a fixed set of objects, and in runs on Wine 8
// handles, GDI objects and windows came back to exactly the same counts, private bytes to within
// 8 KiB. The slack leaves room for something made lazily once more (a few kernel handles or GDI
// objects, one window) and for the heap's free space, a few pages up or down; a leak of one object
// per search or round exceeds it 50 times over (950 searches, 450 rounds are compared), and so
// does a leak of 1.2 KiB per round or 0.6 KiB per search.
constexpr long kHandleSlack = 8;
constexpr long kGdiSlack = 4;
constexpr long kWindowSlack = 1;
constexpr std::int64_t kPrivateBytesSlack = std::int64_t{512} * 1024;

// The fixture cache: 24 files of 256 KiB to 6 MiB in four folders, sparse.
constexpr int kFiles = 24;
constexpr std::int64_t kQuarterMiB = 262144;

std::wstring relativePath(int file) {
  return L"Content.IE5\\F" + std::to_wstring(file % 4) + L"\\s" + std::to_wstring(file) + L".bin";
}

std::int64_t sizeOf(int file) {
  return (file + 1) * kQuarterMiB;
}

// The size text of a multiple of 256 KiB: "0.25", "1.5", "6".
std::wstring sizeText(std::int64_t size) {
  const std::int64_t quarters = size / kQuarterMiB;
  std::wstring text = std::to_wstring(quarters / 4);
  static const wchar_t* const kFractions[] = {L"", L".25", L".5", L".75"};
  return text + kFractions[quarters % 4];
}

// The list as a search must leave it: largest first.
std::vector<std::wstring> expectedLines() {
  std::vector<std::wstring> lines;
  for (int file = kFiles - 1; file >= 0; --file)
    lines.push_back(sizeText(sizeOf(file)) + L"MB  " + kCacheRoot + L"\\" + relativePath(file));
  return lines;
}

// --- What the program holds ---

// The process's kernel handles by the type of object they refer to ("Event", "File", "Key"...).
// GetProcessHandleCount, which would give only their number, answers 0 under Wine; the system's
// handle table, which Wine does keep, lists every handle with its owner.
using HandleTypes = std::map<std::wstring, long>;

HandleTypes handlesByType(HANDLE process, DWORD processId) {
  constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
  struct Entry {
    ULONG ownerProcessId;
    UCHAR objectType;
    UCHAR flags;
    USHORT value;
    void* object;
    ULONG access;
  };
  std::vector<std::uint8_t> buffer(1 << 20);
  for (;;) {
    ULONG needed = 0;
    const NTSTATUS status = ::NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                                       static_cast<ULONG>(buffer.size()), &needed);
    if (status == static_cast<NTSTATUS>(0xC0000004)) {  // the buffer is too small
      buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
      continue;
    }
    if (status != 0) return {{L"(unreadable)", -1}};
    break;
  }
  ULONG entries = 0;
  std::memcpy(&entries, buffer.data(), sizeof entries);
  HandleTypes types;
  for (ULONG i = 0; i < entries; ++i) {
    Entry entry{};
    std::memcpy(&entry, buffer.data() + alignof(Entry) + i * sizeof(Entry), sizeof entry);
    if (entry.ownerProcessId != processId) continue;
    std::wstring type = L"(unknown)";
    HANDLE copy = nullptr;
    if (::DuplicateHandle(process,
                          reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(entry.value)),
                          ::GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
      const UniqueKernelHandle owned(copy);
      alignas(PUBLIC_OBJECT_TYPE_INFORMATION) std::uint8_t information[1024] = {};
      ULONG length = 0;
      if (::NtQueryObject(owned.get(), ObjectTypeInformation, information, sizeof information,
                          &length) == 0) {
        PUBLIC_OBJECT_TYPE_INFORMATION typeInformation{};
        std::memcpy(&typeInformation, information, sizeof typeInformation);
        if (typeInformation.TypeName.Length > 0) {
          type.assign(typeInformation.TypeName.Buffer,
                      typeInformation.TypeName.Length / sizeof(wchar_t));
        }
      }
    }
    ++types[type];
  }
  return types;
}

long total(const HandleTypes& types) {
  long sum = 0;
  for (const auto& [type, count] : types)
    sum += count;
  return sum;
}

long countOf(const HandleTypes& types, const std::wstring& type) {
  const auto found = types.find(type);
  return found != types.end() ? found->second : 0;
}

// GDI objects. GetGuiResources is a stub under Wine (it answers 0); the process's GDI handle
// table, which its PEB points to as on Windows, has an entry for each live object, and an entry
// whose object pointer is not null is a live one.
long gdiObjectCount(HANDLE process) {
  const DWORD reported = ::GetGuiResources(process, GR_GDIOBJECTS);
  if (reported != 0) return static_cast<long>(reported);
  PROCESS_BASIC_INFORMATION basic{};
  if (::NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                  nullptr) != 0) {
    return -1;
  }
  constexpr std::size_t kGdiTableInPeb = 0xF8;  // GdiSharedHandleTable of a 64-bit PEB
  constexpr std::size_t kEntries = 0x10000;
  constexpr std::size_t kEntrySize = 24;
  std::uint64_t table = 0;
  if (!::ReadProcessMemory(
          process, reinterpret_cast<const std::uint8_t*>(basic.PebBaseAddress) + kGdiTableInPeb,
          &table, sizeof table, nullptr) ||
      table == 0) {
    return -1;
  }
  std::vector<std::uint8_t> entries(kEntries * kEntrySize);
  constexpr std::size_t kChunk = 2730 * kEntrySize;  // about 64 KiB
  std::size_t read = 0;
  while (read < entries.size()) {
    const std::size_t length = std::min(kChunk, entries.size() - read);
    SIZE_T copied = 0;
    if (!::ReadProcessMemory(process, reinterpret_cast<const void*>(table + read),
                             entries.data() + read, length, &copied)) {
      break;  // the rest of the table is not committed yet: no objects there
    }
    read += length;
  }
  long count = 0;
  for (std::size_t offset = 0; offset + kEntrySize <= read; offset += kEntrySize) {
    std::uint64_t object = 0;
    std::memcpy(&object, entries.data() + offset, sizeof object);
    if (object != 0) ++count;
  }
  return count;
}

// USER objects. GetGuiResources is a stub under Wine; the windows are the USER objects another
// process can count there: the program's top-level windows (hidden ones too), their
// descendants, and its message-only windows. Its menus and cursors stay out of sight.
long userObjectCount(HANDLE process, DWORD processId) {
  const DWORD reported = ::GetGuiResources(process, GR_USEROBJECTS);
  if (reported != 0) return static_cast<long>(reported);
  struct Count {
    DWORD processId;
    long windows;
  } count{processId, 0};
  const auto countIfOwned = [](HWND window, LPARAM context) -> BOOL {
    auto& c = *reinterpret_cast<Count*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != c.processId) return TRUE;
    ++c.windows;
    ::EnumChildWindows(
        window,
        [](HWND, LPARAM inner) -> BOOL {
          ++reinterpret_cast<Count*>(inner)->windows;
          return TRUE;
        },
        context);
    return TRUE;
  };
  ::EnumWindows(countIfOwned, reinterpret_cast<LPARAM>(&count));
  HWND messageOnly = nullptr;
  while ((messageOnly = ::FindWindowExW(HWND_MESSAGE, messageOnly, nullptr, nullptr)) != nullptr)
    countIfOwned(messageOnly, reinterpret_cast<LPARAM>(&count));
  return count.windows;
}

// Private bytes. Wine leaves PrivateUsage at 0 and reports the process's resident anonymous
// memory as PagefileUsage, which Windows keeps equal to PrivateUsage.
std::int64_t privateBytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters{.cb = sizeof counters};
  if (!::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters)) {
    return -1;
  }
  return static_cast<std::int64_t>(counters.PrivateUsage != 0 ? counters.PrivateUsage
                                                              : counters.PagefileUsage);
}

// Processes still running from the image at `path`.
int runningProcessesOf(const std::wstring& path) {
  const UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return -1;
  PROCESSENTRY32W entry{.dwSize = sizeof entry};
  int running = 0;
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
       more = ::Process32NextW(snapshot.get(), &entry)) {
    const UniqueKernelHandle process(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    wchar_t image[MAX_PATH] = {};
    DWORD length = MAX_PATH;
    if (process && ::QueryFullProcessImageNameW(process.get(), 0, image, &length) &&
        ::lstrcmpiW(image, path.c_str()) == 0) {
      ++running;
    }
  }
  return running;
}

// How many handles WaitForInputIdle leaves in the calling process each time it waits for a
// process that is still starting, measured in this process on the stand-in, as the program
// waits for it after each Explorer start. None on Windows; Wine 8 hands out a new handle to the
// started process's idle event on every call and never closes it.
long idleWaitLeak(const std::wstring& standIn) {
  constexpr int kStarts = 10;
  const long before =
      countOf(handlesByType(::GetCurrentProcess(), ::GetCurrentProcessId()), L"Event");
  for (int i = 0; i < kStarts; ++i) {
    STARTUPINFOW startup{.cb = sizeof startup};
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"Explorer /n,/select,\"" + standIn + L"\"";
    if (!::CreateProcessW(standIn.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &started)) {
      return -1;
    }
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);
    ::WaitForInputIdle(process.get(), 1000);
    ::WaitForSingleObject(process.get(), 5000);
  }
  const long after =
      countOf(handlesByType(::GetCurrentProcess(), ::GetCurrentProcessId()), L"Event");
  // Rounded: a start that ended before the wait leaves nothing behind.
  return (after - before + kStarts / 2) / kStarts;
}

struct Sample {
  const wchar_t* phase;
  int done;  // searches or rounds before the sample
  HandleTypes handles;
  long gdiObjects;
  long windows;
  std::int64_t privateBytes;
  double seconds;  // since the phase began
};

class Soak {
 public:
  explicit Soak(Program& program)
      : program_(program),
        main_(program.mainWindow()),
        list_(program.control(k列表框1Id)),
        button_(program.control(k按钮1Id)) {}

  void sample(const wchar_t* phase, int done, Clock::time_point began) {
    // Between commands: the program is back in its message loop.
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
    samples_.push_back(Sample{phase, done, handlesByType(program_.process(), processId()),
                              gdiObjectCount(program_.process()),
                              userObjectCount(program_.process(), processId()),
                              privateBytes(program_.process()),
                              std::chrono::duration<double>(Clock::now() - began).count()});
    const Sample& s = samples_.back();
    std::wprintf(L"%-8ls %5d %8ld %7ld %6ld %8ld %12lld %9.1f\n", s.phase, s.done, total(s.handles),
                 countOf(s.handles, L"Event"), s.gdiObjects, s.windows,
                 static_cast<long long>(s.privateBytes / 1024), s.seconds);
    std::fflush(stdout);
  }

  // Clicks 搜索 and waits until the list holds the search's lines and the button is enabled.
  bool search(const std::vector<std::wstring>& expected) {
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(button_, BM_CLICK, 0, 0, SMTO_NORMAL, 30000, &answer))
      return failed(L"the click on the search button was not answered");
    const bool ended = waitFor(
        [&] {
          return ::IsWindowEnabled(button_) &&
                 listCount(list_) == static_cast<int>(expected.size());
        },
        kCommandTimeout);
    if (!ended) return failed(L"the search did not end with its lines");
    if (listLines(list_) != expected) return failed(L"the search listed other lines");
    return true;
  }

  // 打开文件夹 on line `line`, as the popup menu chooses it; waits for the stand-in's log line.
  bool openFolder(int line, ExplorerLog& log, std::size_t logged) {
    ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    ::PostMessageW(main_, WM_COMMAND, MAKEWPARAM(kOpenFolderItem, 0), 0);
    const bool started = waitFor(
        [&] {
          const auto contents = log.contents();
          return contents && static_cast<std::size_t>(std::count(contents->begin(), contents->end(),
                                                                 '\n')) == logged + 1;
        },
        kCommandTimeout);
    return started || failed(L"open folder started no Explorer");
  }

  // 提取到桌面 on line `line`; closes the message box, which must say that the copy worked.
  bool extractToDesktop(int line) {
    ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    ::PostMessageW(main_, WM_COMMAND, MAKEWPARAM(kExtractToDesktopItem, 0), 0);
    HWND box = nullptr;
    waitFor([&] { return (box = program_.topLevelWindow(L"#32770", L"信息：")) != nullptr; },
            kCommandTimeout);
    if (box == nullptr) return failed(L"extract to desktop showed no message box");
    const std::wstring text = windowText(::GetDlgItem(box, 0xFFFF));
    HWND ok = ::GetDlgItem(box, IDOK);
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(ok, BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &answer);
    if (!waitFor([&] { return !::IsWindow(box) && ::IsWindowEnabled(main_); }, kCommandTimeout))
      return failed(L"the message box did not close");
    return text == L"复制成功！" || failed(L"the message box did not say that the copy worked");
  }

  const std::vector<Sample>& samples() const { return samples_; }
  const std::wstring& failure() const { return failure_; }

 private:
  DWORD processId() const { return ::GetProcessId(program_.process()); }
  bool failed(const std::wstring& what) {
    failure_ = what;
    return false;
  }

  Program& program_;
  HWND main_;
  HWND list_;
  HWND button_;
  std::vector<Sample> samples_;
  std::wstring failure_;
};

// Prints the growth of one phase from its first sample after the warm-up to its last, and tells
// whether it stayed within the slack. `leakPerStart` handles of type Event are the platform's for
// each Explorer start, of which the phase makes `startsPerStep` per search or round.
bool reportGrowth(const std::vector<Sample>& samples, const wchar_t* phase, long leakPerStart,
                  int startsPerStep) {
  std::vector<Sample> ofPhase;
  std::copy_if(samples.begin(), samples.end(), std::back_inserter(ofPhase),
               [&](const Sample& s) { return std::wstring(s.phase) == phase; });
  if (ofPhase.size() < 3) return false;
  const Sample& first = ofPhase[1];
  const Sample& last = ofPhase.back();
  const long handles = total(last.handles) - total(first.handles);
  const long events = countOf(last.handles, L"Event") - countOf(first.handles, L"Event");
  const long platforms =
      std::min(std::max(events, 0L),
               leakPerStart * startsPerStep * static_cast<long>(last.done - first.done));
  const long gdi = last.gdiObjects - first.gdiObjects;
  const long windows = last.windows - first.windows;
  const std::int64_t memory = last.privateBytes - first.privateBytes;
  std::wprintf(
      L"%ls %d..%d: handles %+ld, of which %+ld are the platform's (up to %+ld more); "
      L"GDI objects %+ld (up to %+ld); windows %+ld (up to %+ld); private KiB %+lld "
      L"(up to %+lld)\n",
      phase, first.done, last.done, handles, platforms, kHandleSlack, gdi, kGdiSlack, windows,
      kWindowSlack, static_cast<long long>(memory / 1024),
      static_cast<long long>(kPrivateBytesSlack / 1024));
  for (const auto& [type, count] : last.handles) {
    const long change = count - countOf(first.handles, type);
    if (change != 0) std::wprintf(L"  %ls handles %+ld\n", type.c_str(), change);
  }
  return handles - platforms <= kHandleSlack && gdi <= kGdiSlack && windows <= kWindowSlack &&
         memory <= kPrivateBytesSlack;
}

std::wstring desktopFolder() {
  wchar_t path[MAX_PATH] = {};
  if (!::SHGetSpecialFolderPathW(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE)) return {};
  return path;
}

int run() {
  std::vector<FixtureFile> files;
  for (int file = 0; file < kFiles; ++file)
    files.push_back({relativePath(file), sizeOf(file)});
  const std::vector<std::wstring> lines = expectedLines();
  const int extracted = kFiles - 1;  // the smallest file, last in the list
  const std::wstring copy = desktopFolder() + L"\\s0.bin";
  ::DeleteFileW(copy.c_str());

  const std::wstring programPath = windowsPathOf(QUILLFERN_WIDEN(QUILLFERN_E2E_PROGRAM));
  const std::wstring standIn =
      programPath.substr(0, programPath.find_last_of(L'\\') + 1) + L"Explorer.exe";
  // Every stand-in ends at once, so hundreds of Explorer starts leave none behind.
  ::SetEnvironmentVariableW(L"QUILLFERN_EXPLORER_QUICK", L"1");
  const long leakPerStart = idleWaitLeak(standIn);
  std::wprintf(L"handles WaitForInputIdle leaves behind per Explorer start: %ld\n", leakPerStart);
  ExplorerLog log;  // before the program, which inherits the log's name
  const CacheFolder cache(files, Contents::sparse);
  if (!cache.failure().empty()) {
    std::wprintf(L"soak: no cache: %ls\n", cache.failure().c_str());
    return 2;
  }
  Program program(programPath);
  if (!program.started()) {
    std::wprintf(L"soak: Quillfern.exe did not start (error %lu)\n", program.startError());
    return 2;
  }
  Soak soak(program);

  std::wprintf(L"phase     done  handles  events    GDI  windows  private KiB   seconds\n");
  auto began = Clock::now();
  for (int done = 0; done < kSearches; ++done) {
    if (done % kSampleEvery == 0) soak.sample(L"search", done, began);
    if (!soak.search(lines)) {
      std::wprintf(L"soak: search %d: %ls\n", done + 1, soak.failure().c_str());
      return 2;
    }
  }
  soak.sample(L"search", kSearches, began);

  began = Clock::now();
  for (int done = 0; done < kRounds; ++done) {
    if (done % kSampleEvery == 0) soak.sample(L"actions", done, began);
    if (!soak.openFolder(done % kFiles, log, static_cast<std::size_t>(done)) ||
        !soak.extractToDesktop(extracted)) {
      std::wprintf(L"soak: round %d: %ls\n", done + 1, soak.failure().c_str());
      return 2;
    }
  }
  soak.sample(L"actions", kRounds, began);

  // Every Explorer start had the selected line's file in its command line.
  const std::string logged = log.contents().value_or("");
  std::size_t position = 0;
  for (int done = 0; done < kRounds; ++done) {
    const std::wstring& line = lines[static_cast<std::size_t>(done % kFiles)];
    const std::wstring path = line.substr(line.find(L"MB  ") + 4);
    const std::string expected =
        "Explorer /n,/select,\"" + std::string(path.begin(), path.end()) + "\"\n";
    if (logged.compare(position, expected.size(), expected) != 0) {
      std::wprintf(L"soak: Explorer start %d had another command line\n", done + 1);
      return 2;
    }
    position += expected.size();
  }
  WIN32_FILE_ATTRIBUTE_DATA copied{};
  const bool copiedWhole = ::GetFileAttributesExW(copy.c_str(), GetFileExInfoStandard, &copied) &&
                           copied.nFileSizeLow == static_cast<DWORD>(sizeOf(0));
  ::DeleteFileW(copy.c_str());
  if (!copiedWhole) {
    std::wprintf(L"soak: the desktop holds no whole copy of s0.bin\n");
    return 2;
  }
  std::wprintf(L"Explorer stand-ins still running: %d\n", runningProcessesOf(standIn));

  const bool searchesFlat = reportGrowth(soak.samples(), L"search", leakPerStart, 0);
  const bool actionsFlat = reportGrowth(soak.samples(), L"actions", leakPerStart, 1);
  return searchesFlat && actionsFlat ? 0 : 1;
}

}  // namespace
}  // namespace quillfern::soak

int main() {
  return quillfern::soak::run();
}
