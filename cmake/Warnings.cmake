# Project-wide warning set; every target is expected to build clean with it.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wshadow=local -Wnon-virtual-dtor)
endif()
