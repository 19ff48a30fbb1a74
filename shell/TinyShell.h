// Shell special folders.
#pragma once
#include <cstdint>
#include <string>

namespace TinyShell {

constexpr int32_t CSIDL_SENDTO_FOLDER = 9;

// Module start-up and shut-down: one CoInitialize, one CoUninitialize.
void Startup();
void Shutdown();

// The folder's path with a trailing backslash, or empty when the shell cannot give it.
std::string GetSpecialFolder(int32_t Csidl);
std::string GetSendToFolder();

} // namespace TinyShell
