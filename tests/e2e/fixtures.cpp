#include "fixtures.h"

#include <algorithm>

#include "common/unique_handle_win.h"

namespace quillfern::e2e {

namespace {

constexpr wchar_t kExplorerLogVariable[] = L"QUILLFERN_EXPLORER_LOG";

std::wstring lastError(const std::wstring& what, const std::wstring& path) {
  return what + L" " + path + L": error " + std::to_wstring(::GetLastError());
}

// Makes the folder and every missing folder above it.
bool makeFolders(const std::wstring& path) {
  for (std::size_t end = path.find(L'\\', 3);; end = path.find(L'\\', end + 1)) {
    const std::wstring folder = path.substr(0, end);
    if (!folder.empty() && !::CreateDirectoryW(folder.c_str(), nullptr) &&
        ::GetLastError() != ERROR_ALREADY_EXISTS) {
      return false;
    }
    if (end == std::wstring::npos || end + 1 == path.size()) return true;
  }
}

std::wstring parentOf(const std::wstring& path) {
  return path.substr(0, path.find_last_of(L'\\'));
}

bool makeFile(const std::wstring& path, std::int64_t size, const std::string& bytes) {
  UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  if (!bytes.empty()) {
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) &&
           written == bytes.size();
  }
  // Only the end is set: Wine then makes a sparse file on the Unix side.
  return ::SetFilePointerEx(file.get(), LARGE_INTEGER{.QuadPart = size}, nullptr, FILE_BEGIN) &&
         ::SetEndOfFile(file.get());
}

}  // namespace

std::string distinctContents(const std::wstring& path, std::int64_t size) {
  // FNV-1a of the path seeds a linear congruential generator.
  std::uint32_t state = 2166136261u;
  for (wchar_t c : path)
    state = (state ^ static_cast<std::uint32_t>(c)) * 16777619u;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  for (char& byte : bytes) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<char>(state >> 24);
  }
  return bytes;
}

CacheFolder::CacheFolder(const std::vector<FixtureFile>& files, Contents contents) {
  if (!prepareRoot()) return;
  if (!::CreateDirectoryW(kCacheRoot.c_str(), nullptr)) {
    fail(lastError(L"making", kCacheRoot));
    return;
  }
  owned_ = true;
  for (const FixtureFile& file : files) {
    const std::wstring path = kCacheRoot + L"\\" + file.path;
    if (path.back() == L'\\') {
      if (!makeFolders(path)) {
        fail(lastError(L"making", path));
        return;
      }
      continue;
    }
    if (!makeFolders(parentOf(path))) {
      fail(lastError(L"making", parentOf(path)));
      return;
    }
    const std::string bytes =
        contents == Contents::distinct ? distinctContents(file.path, file.size) : std::string();
    if (!makeFile(path, file.size, bytes)) {
      fail(lastError(L"making", path));
      return;
    }
  }
}

CacheFolder::CacheFolder(const std::wstring& preparedTree) {
  if (!prepareRoot()) return;
  if (!::MoveFileExW(preparedTree.c_str(), kCacheRoot.c_str(), 0)) {
    fail(lastError(L"moving into place", preparedTree));
    return;
  }
  adoptedFrom_ = preparedTree;
  owned_ = true;
}

CacheFolder::~CacheFolder() {
  if (!owned_) return;
  if (!adoptedFrom_.empty() && ::MoveFileExW(kCacheRoot.c_str(), adoptedFrom_.c_str(), 0)) return;
  removeTree(kCacheRoot);
}

bool CacheFolder::prepareRoot() {
  // What an earlier run that was killed may have left.
  if (::GetFileAttributesW(kCacheRoot.c_str()) != INVALID_FILE_ATTRIBUTES &&
      !removeTree(kCacheRoot)) {
    fail(lastError(L"removing the old", kCacheRoot));
    return false;
  }
  if (!makeFolders(parentOf(kCacheRoot))) {
    fail(lastError(L"making", parentOf(kCacheRoot)));
    return false;
  }
  return true;
}

void CacheFolder::fail(const std::wstring& what) {
  failure_ = what;
}

ExplorerLog::ExplorerLog() {
  wchar_t folder[MAX_PATH] = {};
  const DWORD length = ::GetTempPathW(MAX_PATH, folder);
  path_ = std::wstring(folder, length) + L"quillfern-explorer-" +
          std::to_wstring(::GetCurrentProcessId()) + L".log";
  ::DeleteFileW(path_.c_str());
  ::SetEnvironmentVariableW(kExplorerLogVariable, path_.c_str());
}

ExplorerLog::~ExplorerLog() {
  ::SetEnvironmentVariableW(kExplorerLogVariable, nullptr);
  ::DeleteFileW(path_.c_str());
}

std::optional<std::string> ExplorerLog::contents() const {
  return readFile(path_);
}

std::optional<std::string> readFile(const std::wstring& path) {
  UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
    bytes.append(buffer, read);
  return bytes;
}

bool writeFile(const std::wstring& path, const std::string& bytes) {
  UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file &&
         ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
         written == bytes.size();
}

bool isFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool removeTree(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return ::DeleteFileW(path.c_str()) != FALSE;
  }
  bool removed = true;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    for (const std::wstring& name : listingOf(path + L"\\*")) {
      if (name != L"." && name != L"..") removed = removeTree(path + L"\\" + name) && removed;
    }
  }
  return ::RemoveDirectoryW(path.c_str()) && removed;
}

std::vector<std::wstring> listingOf(const std::wstring& pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data{};
  UniqueFindHandle find(::FindFirstFileW(pattern.c_str(), &data));
  if (!find) return names;
  do {
    names.emplace_back(data.cFileName);
  } while (::FindNextFileW(find.get(), &data));
  return names;
}

std::wstring environmentVariable(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

}  // namespace quillfern::e2e
