# Build settings shared by the test programs: most of their compile time
# went into optimising test bodies (expanded assertion macros) and into
# parsing GoogleTest's headers again for every file.
#
#   lumora_test_program(TARGET [QT] [REUSE_FROM OTHER])
#
# - Test code is compiled without optimisation: the code under test lives in
#   the libraries, which keep the build type's flags.
# - GoogleTest and the common standard headers are precompiled once per
#   program (with QT: the Qt headers the widget tests use as well), or
#   taken from OTHER, a test program built with the same flags.
function(lumora_test_program target)
  cmake_parse_arguments(ARG "QT" "REUSE_FROM" "" ${ARGN})
  if(NOT MSVC)
    target_compile_options(${target} PRIVATE -O0)
  endif()
  if(ARG_REUSE_FROM)
    target_precompile_headers(${target} REUSE_FROM ${ARG_REUSE_FROM})
    return()
  endif()
  set(headers <gtest/gtest.h> <cstdint> <filesystem> <memory> <string> <string_view> <vector>)
  if(ARG_QT)
    list(APPEND headers <QApplication> <QSignalSpy> <QTest> <QWidget>)
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
