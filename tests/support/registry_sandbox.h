// The program's settings key in the current user's registry, for tests that
// need the real registry. They run only while the key does not exist, so a
// machine that has run the program keeps its settings untouched, and the
// key is removed again afterwards. Windows only.
#pragma once

#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace lumora::test {

inline constexpr const wchar_t* kSettingsKeyW = L"Software\\Lumora 4";

class RegistrySandbox {
 public:
  RegistrySandbox() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKeyW, 0, KEY_READ, &key) == ERROR_SUCCESS) {
      RegCloseKey(key);
      return;
    }
    usable_ = true;
  }
  ~RegistrySandbox() { Clear(); }
  RegistrySandbox(const RegistrySandbox&) = delete;
  RegistrySandbox& operator=(const RegistrySandbox&) = delete;

  // False when the key held settings before: the test must not run.
  bool usable() const { return usable_; }
  // Removes the key with everything below it.
  void Clear() {
    if (usable_) RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKeyW);
  }

 private:
  bool usable_ = false;
};

}  // namespace lumora::test

// First statement of a test (or SetUp) holding a RegistrySandbox `sandbox`.
#define LUMORA_SKIP_UNLESS_USABLE(sandbox)                                         \
  do {                                                                             \
    if (!(sandbox).usable())                                                       \
      GTEST_SKIP() << "HKEY_CURRENT_USER\\Software\\Lumora 4 holds real settings"; \
  } while (0)

#endif  // _WIN32
