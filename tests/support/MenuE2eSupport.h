// Helpers of the menu-mode end-to-end tests: files and shortcuts laid out by relative names, keys sent
// to an open popup menu, and pictures of that menu kept for people to look at.
#pragma once
#include <windows.h>

#include "Win32Support.h"

#include <string>

namespace TestSupport {

// Relative paths below are written with "/" between names: a byte that is never the trail byte of a
// double-byte character, so names may hold trail bytes 0x5C without the helpers splitting them.

// The folder root\relPath, with the folders on its way; returns its full path.
std::string MakeFolder(const std::string& root, const std::string& relPath);
// An empty file at root\relPath, with its folders; a name ending in ".lnk" (any letter case) becomes a
// real shortcut to linkTarget instead. Returns the full path.
std::string MakeItem(const std::string& root, const std::string& relPath, const std::string& linkTarget);

// Sends a key to process p's open popup menu once its loop takes keys (WaitForMenuKeys), as a user's
// keystroke comes after the menu shows; a menu that never gets there fails the test with what was seen.
void PressInMenu(const Child& p, WORD vk);
// Like PressInMenu, but the key is down and up again in one input batch: by the time the menu handles
// the key-down, the key already reads as up, as after a quick tap on a busy machine.
void TapInMenuAtOnce(const Child& p, WORD vk);

// The folder where the e2e tier leaves pictures (PATHGRAB_ARTIFACTS, made on first use); empty when
// the variable is not set.
std::string ArtifactsDir();
// Processes started while the object lives see a display of dpi dots per inch, as Wine reads it from
// HKCU\Control Panel\Desktop LogPixels at their start (96 is 100 %, 144 is 150 %).
class ScopedLogPixels {
  public:
    explicit ScopedLogPixels(DWORD dpi);
    ~ScopedLogPixels();
    ScopedLogPixels(const ScopedLogPixels&) = delete;
    ScopedLogPixels& operator=(const ScopedLogPixels&) = delete;

  private:
    bool had_ = false;
    DWORD old_ = 0;
};

// A team library that the OneDrive client syncs to the folder mount, from the web address url, as the
// client records it in the user's registry; the record goes with the object.
class SyncedLibrary {
  public:
    SyncedLibrary(const std::wstring& mount, const std::wstring& url);
    ~SyncedLibrary();
    SyncedLibrary(const SyncedLibrary&) = delete;
    SyncedLibrary& operator=(const SyncedLibrary&) = delete;

  private:
    bool deleteAll_ = false;
};

// Writes what the screen shows of window w, widened by margin pixels on every side, as a 24-bit BMP.
bool SaveWindowShot(HWND w, int margin, const std::string& bmpPath);
// The same for a rectangle of the screen (several windows' union).
bool SaveScreenShot(const RECT& r, int margin, const std::string& bmpPath);

} // namespace TestSupport
