// The program's entry: the program state, the main window and its message loop.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "actions/desktop_win.h"
#include "actions/process_starter_win.h"
#include "app/application.h"
#include "app/main_window_win.h"
#include "app/program_state.h"
#include "search/directory_reader_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const INITCOMMONCONTROLSEX controls{.dwSize = sizeof controls,
                                      .dwICC = ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  // The label opens the web page through the shell, which may use COM.
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

  // The state lives until the loop has ended; leaving this scope releases the table and the
  // cache folder's text once.
  quillfern::ProgramState state;
  quillfern::MainWindow window;
  quillfern::Win32DirectoryReader directories;
  quillfern::Win32Desktop desktop;
  quillfern::Win32ProcessStarter processes;
  quillfern::Application application(state, window,
                                     quillfern::Platform{directories, desktop, processes});
  const int exitCode = window.create(instance, application) ? window.runMessageLoop() : 1;
  if (SUCCEEDED(com)) ::CoUninitialize();
  return exitCode;
}
