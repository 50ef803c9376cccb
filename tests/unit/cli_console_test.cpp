// lumora-cli's arguments and console: UTF-8 in and out on every system.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/platform_only.h"
#include "tools/cli/console.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#endif

namespace lumora::cli {
namespace {

using Strings = std::vector<std::string>;

TEST(Utf8Arguments, PosixPassesArgvOnUnchanged) {
  LUMORA_POSIX_ONLY();
  std::string a0 = "lumora-cli", a1 = "--data", a2 = "/home/u/Bibliothek \xC3\x9C\xCE\xA8";
  char* argv[] = {a0.data(), a1.data(), a2.data(), nullptr};
  Utf8Arguments arguments(3, argv);
  ASSERT_EQ(arguments.argc(), 3);
  EXPECT_EQ(Strings(arguments.argv(), arguments.argv() + 3), Strings({a0, a1, a2}));
  EXPECT_EQ(arguments.argv()[3], nullptr);
}

#ifdef _WIN32

TEST(Utf8Arguments, WindowsSplitsTheCommandLineIntoUtf8) {
  // "Ü" is in the ANSI code page of western systems, "Ψ" in none of them.
  const Strings split =
      SplitCommandLine(L"lumora-cli.exe --data \"C:\\Bibel \u00DC\u03A8\\Module\" verse KJV \"\"");
  EXPECT_EQ(split, Strings({"lumora-cli.exe", "--data", "C:\\Bibel \xC3\x9C\xCE\xA8\\Module",
                            "verse", "KJV", ""}));
}

// The arguments come from the UTF-16 command line, not from argv.
TEST(Utf8Arguments, WindowsTakesTheCommandLineOverArgv) {
  const Strings real = SplitCommandLine(GetCommandLineW());
  ASSERT_FALSE(real.empty());
  std::vector<std::string> ansi(real.size(), "?");
  std::vector<char*> argv;
  for (std::string& s : ansi) argv.push_back(s.data());
  argv.push_back(nullptr);
  Utf8Arguments arguments(static_cast<int>(real.size()), argv.data());
  ASSERT_EQ(arguments.argc(), static_cast<int>(real.size()));
  EXPECT_EQ(arguments.strings(), real);
  EXPECT_EQ(arguments.argv()[arguments.argc()], nullptr);

  // A count that disagrees leaves argv in charge.
  argv.push_back(nullptr);
  argv[real.size()] = ansi[0].data();
  Utf8Arguments fallback(static_cast<int>(real.size()) + 1, argv.data());
  EXPECT_EQ(fallback.strings(), Strings(real.size() + 1, "?"));
}

TEST(Utf8Console, WindowsOutputKeepsLineEndsAsWritten) {
  std::fflush(stdout);
  std::fflush(stderr);
  const int out_mode = _setmode(_fileno(stdout), _O_TEXT);
  const int err_mode = _setmode(_fileno(stderr), _O_TEXT);
  {
    const Utf8Console console;
    // _setmode answers the mode it replaces: binary, set by the console.
    EXPECT_EQ(_setmode(_fileno(stdout), _O_BINARY), _O_BINARY);
    EXPECT_EQ(_setmode(_fileno(stderr), _O_BINARY), _O_BINARY);
  }
  _setmode(_fileno(stdout), out_mode);
  _setmode(_fileno(stderr), err_mode);
}

TEST(Utf8Console, WindowsConsoleShowsUtf8WhileTheObjectLives) {
  const UINT before = GetConsoleOutputCP();
  if (before == 0) GTEST_SKIP() << "no console attached (run with a terminal as input)";
  ASSERT_TRUE(SetConsoleOutputCP(437));
  {
    const Utf8Console console;
    EXPECT_EQ(GetConsoleOutputCP(), static_cast<UINT>(CP_UTF8));
  }
  EXPECT_EQ(GetConsoleOutputCP(), 437u) << "the previous code page comes back";
  SetConsoleOutputCP(before);
}

#else

TEST(Utf8Arguments, WindowsSplitsTheCommandLineIntoUtf8) { LUMORA_WINDOWS_ONLY(); }
TEST(Utf8Arguments, WindowsTakesTheCommandLineOverArgv) { LUMORA_WINDOWS_ONLY(); }
TEST(Utf8Console, WindowsOutputKeepsLineEndsAsWritten) { LUMORA_WINDOWS_ONLY(); }
TEST(Utf8Console, WindowsConsoleShowsUtf8WhileTheObjectLives) { LUMORA_WINDOWS_ONLY(); }

#endif

}  // namespace
}  // namespace lumora::cli
