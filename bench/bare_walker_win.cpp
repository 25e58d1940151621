// The reference for the search benchmark: the walk's enumerations and per-file size lookups and
// nothing else. Prints the files it met and the milliseconds it took.
// usage: bare_walker.exe FOLDER
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

long long files = 0;
long long totalSize = 0;

void walk(const std::string& dir) {
  WIN32_FIND_DATAA data;
  HANDLE folders = ::FindFirstFileA((dir + "*").c_str(), &data);
  if (folders != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != "." && name != "..") {
        walk(dir + name + "\\");
      }
    } while (::FindNextFileA(folders, &data));
    ::FindClose(folders);
  }
  HANDLE found = ::FindFirstFileA((dir + "*.*").c_str(), &data);
  if (found == INVALID_HANDLE_VALUE) return;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    WIN32_FIND_DATAA file;
    HANDLE lookup = ::FindFirstFileA((dir + data.cFileName).c_str(), &file);
    if (lookup != INVALID_HANDLE_VALUE) {
      ::FindClose(lookup);
      totalSize += (static_cast<long long>(file.nFileSizeHigh) << 32) | file.nFileSizeLow;
    }
    ++files;
  } while (::FindNextFileA(found, &data));
  ::FindClose(found);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  walk(std::string(argv[1]) + "\\");
  ::QueryPerformanceCounter(&end);
  std::printf("files %lld bytes %lld elapsed_ms %.3f\n", files, totalSize,
              1e3 * static_cast<double>(end.QuadPart - start.QuadPart) /
                  static_cast<double>(frequency.QuadPart));
  return 0;
}
