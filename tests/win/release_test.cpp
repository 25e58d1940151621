// The release zip as a user unpacks it: the program and its readme, the program's version
// information, and the program starting and closing under Wine.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <string>
#include <vector>

#include "common/unique_handle_win.h"

namespace {

std::wstring releaseFolder() {
  const char* folder = std::getenv("QUILLFERN_RELEASE_DIR");
  if (folder == nullptr) return {};
  std::string narrow(folder);
  return std::wstring(narrow.begin(), narrow.end()) + L"\\Quillfern-" QUILLFERN_VERSION L"-win64";
}

std::wstring versionString(const std::vector<BYTE>& info, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!::VerQueryValueW(info.data(), key.c_str(), &value, &length) || length == 0) return {};
  return static_cast<const wchar_t*>(value);
}

TEST(Release, HoldsTheProgramAndItsReadme) {
  const std::wstring folder = releaseFolder();
  ASSERT_FALSE(folder.empty()) << "run through unpack-release.sh";
  EXPECT_NE(::GetFileAttributesW((folder + L"\\Quillfern.exe").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(::GetFileAttributesW((folder + L"\\README.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Release, ProgramCarriesTheVersionOfTheZip) {
  const std::wstring program = releaseFolder() + L"\\Quillfern.exe";
  const DWORD size = ::GetFileVersionInfoSizeW(program.c_str(), nullptr);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> info(size);
  ASSERT_TRUE(::GetFileVersionInfoW(program.c_str(), 0, size, info.data()));
  EXPECT_EQ(versionString(info, L"ProductName"), L"Quillfern");
  EXPECT_EQ(versionString(info, L"ProductVersion"), QUILLFERN_VERSION);
  EXPECT_EQ(versionString(info, L"FileVersion"), QUILLFERN_VERSION);
  EXPECT_FALSE(versionString(info, L"FileDescription").empty());

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  const std::wstring numbers = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                               std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                               std::to_wstring(HIWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(numbers, QUILLFERN_VERSION);
}

// The path of the comctl32 that the process loaded, in lower case.
std::wstring commonControlsOf(HANDLE process) {
  HMODULE modules[512] = {};
  DWORD needed = 0;
  if (!::EnumProcessModulesEx(process, modules, sizeof modules, &needed, LIST_MODULES_ALL)) {
    return {};
  }
  for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < 512; ++i) {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameExW(process, modules[i], path, MAX_PATH);
    std::wstring lower(path);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    if (lower.find(L"comctl32") != std::wstring::npos) return lower;
  }
  return {};
}

struct WindowOfProcess {
  DWORD process;
  HWND found;
};

TEST(Release, ProgramStartsItsWindowAndEndsWhenItIsClosed) {
  std::wstring commandLine = L"\"" + releaseFolder() + L"\\Quillfern.exe\"";
  STARTUPINFOW startup{.cb = sizeof startup};
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &started));
  const quillfern::UniqueKernelHandle process(started.hProcess), thread(started.hThread);
  WindowOfProcess search{started.dwProcessId, nullptr};
  for (int waited = 0; waited < 10000 && search.found == nullptr; waited += 50) {
    ::Sleep(50);
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
          auto* wanted = reinterpret_cast<WindowOfProcess*>(context);
          DWORD owner = 0;
          ::GetWindowThreadProcessId(window, &owner);
          wchar_t title[32] = {};
          ::GetWindowTextW(window, title, 32);
          if (owner != wanted->process || std::wstring(title) != L"Quillfern") return TRUE;
          wanted->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
  }
  ASSERT_NE(search.found, nullptr);
  // The manifest asks for the version 6 controls, which come from the side-by-side store.
  const std::wstring controls = commonControlsOf(process.get());
  EXPECT_NE(controls.find(L"winsxs"), std::wstring::npos) << controls;
  ::PostMessageW(search.found, WM_CLOSE, 0, 0);
  ASSERT_EQ(::WaitForSingleObject(process.get(), 5000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  ::GetExitCodeProcess(process.get(), &exitCode);
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
