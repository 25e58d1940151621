// What the end-to-end tests make in the Wine prefix around the program under test: the browser
// cache it searches, the file the Explorer stand-in logs to, and files read and written by path.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillfern::e2e {

// The folder the program searches; Wine finds drive_c/users/Administrator/... under it.
inline const std::wstring kCacheRoot =
    L"C:\\Users\\Administrator\\AppData\\Local\\Microsoft\\Windows\\Temporary Internet Files";

// A file of a fixture cache, or with a path that ends in a backslash an empty folder.
struct FixtureFile {
  std::wstring path;  // relative to the cache root
  std::int64_t size = 0;
};

enum class Contents {
  sparse,    // zeros that take no disk space: any size, even gigabytes
  distinct,  // bytes that differ from file to file, so a copy can be told from another file
};

// The bytes that Contents::distinct writes into the file at `path` (relative to the cache).
std::string distinctContents(const std::wstring& path, std::int64_t size);

// The cache folder for one test: made with exactly the given files, or a tree prepared outside
// the prefix moved into place. The end removes the cache, or moves the tree back.
class CacheFolder {
 public:
  CacheFolder(const std::vector<FixtureFile>& files, Contents contents);
  explicit CacheFolder(const std::wstring& preparedTree);
  CacheFolder(const CacheFolder&) = delete;
  CacheFolder& operator=(const CacheFolder&) = delete;
  ~CacheFolder();

  // Empty when the cache is in place; otherwise what went wrong.
  const std::wstring& failure() const noexcept { return failure_; }

 private:
  bool prepareRoot();
  void fail(const std::wstring& what);

  std::wstring adoptedFrom_;  // where an adopted tree goes back to
  std::wstring failure_;
  bool owned_ = false;
};

// The file the Explorer stand-in appends its command line to. Named in QUILLFERN_EXPLORER_LOG of
// this process, which the program under test and the stand-in inherit, so it must exist before
// the program starts. Removed at the start and at the end.
class ExplorerLog {
 public:
  ExplorerLog();
  ExplorerLog(const ExplorerLog&) = delete;
  ExplorerLog& operator=(const ExplorerLog&) = delete;
  ~ExplorerLog();

  // The bytes logged so far; nothing when the stand-in never started.
  std::optional<std::string> contents() const;

 private:
  std::wstring path_;
};

std::optional<std::string> readFile(const std::wstring& path);
bool writeFile(const std::wstring& path, const std::string& bytes);
bool isFolder(const std::wstring& path);
// Removes a file or a folder with everything in it; links are removed, not followed.
bool removeTree(const std::wstring& path);
// The names a folder's listing gives for `pattern`, in the platform's order.
std::vector<std::wstring> listingOf(const std::wstring& pattern);
std::wstring environmentVariable(const wchar_t* name);

}  // namespace quillfern::e2e
