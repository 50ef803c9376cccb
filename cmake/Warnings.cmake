# Project-wide warning set; every target is expected to build clean with it.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wnon-virtual-dtor)
endif()
# Clang has no "local" level of -Wshadow; its -Wshadow also warns of members.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-Wshadow=local)
endif()
