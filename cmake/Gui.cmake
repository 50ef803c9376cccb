# The Qt desktop program: lumora-ui (the display widget, the frames, the
# panes, the main window and the platform pieces), the lumora executable and
# the widget tests. Included from the root list when LUMORA_BUILD_GUI is on,
# after the Qt-free libraries it links. Qt stays in render/ui/, search/ui/,
# views/ and app/ui/.
file(GLOB LUMORA_UI_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/render/ui/*.cpp
  ${PROJECT_SOURCE_DIR}/search/ui/*.cpp
  ${PROJECT_SOURCE_DIR}/views/*.cpp
  ${PROJECT_SOURCE_DIR}/app/ui/*.cpp
  ${PROJECT_SOURCE_DIR}/app/ui/platform/*.cpp)
list(FILTER LUMORA_UI_SOURCES EXCLUDE REGEX "/app/ui/main\\.cpp$")
add_library(lumora-ui STATIC ${LUMORA_UI_SOURCES})
set_target_properties(lumora-ui PROPERTIES AUTOMOC ON)
# Q_SIGNALS / Q_EMIT only: "slots" and "signals" are ordinary names in the
# Qt-free code these files include.
target_compile_definitions(lumora-ui PUBLIC QT_NO_KEYWORDS)
target_link_libraries(lumora-ui PUBLIC Qt6::Widgets Qt6::PrintSupport Qt6::Network
  lumora-app lumora-render lumora-search lumora-config lumora-core)

if(EXISTS ${PROJECT_SOURCE_DIR}/app/ui/main.cpp)
  add_executable(lumora WIN32 ${PROJECT_SOURCE_DIR}/app/ui/main.cpp)
  set_target_properties(lumora PROPERTIES AUTOMOC ON)
  target_link_libraries(lumora PRIVATE lumora-ui)
endif()

# The help pages go beside the program (the folder "help" next to lumora):
# the pages of help/ copied, and the key list written from the command table.
file(GLOB LUMORA_HELP_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/help/*)
set(LUMORA_HELP_FOLDER ${CMAKE_BINARY_DIR}/help)
set(LUMORA_HELP_OUTPUTS ${LUMORA_HELP_FOLDER}/keys.html)
foreach(page ${LUMORA_HELP_SOURCES})
  get_filename_component(page_name ${page} NAME)
  add_custom_command(OUTPUT ${LUMORA_HELP_FOLDER}/${page_name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${page} ${LUMORA_HELP_FOLDER}/${page_name}
    DEPENDS ${page} VERBATIM)
  list(APPEND LUMORA_HELP_OUTPUTS ${LUMORA_HELP_FOLDER}/${page_name})
endforeach()
add_custom_command(OUTPUT ${LUMORA_HELP_FOLDER}/keys.html
  COMMAND lumora-help-keys ${LUMORA_HELP_FOLDER}/keys.html
  DEPENDS lumora-help-keys VERBATIM)
add_custom_target(lumora-help ALL DEPENDS ${LUMORA_HELP_OUTPUTS})
if(TARGET lumora)
  add_dependencies(lumora lumora-help)
endif()

# Draws the synthetic sample images of the sample library.
add_executable(lumora-sample-images ${PROJECT_SOURCE_DIR}/tools/ui/sample_images.cpp)
target_link_libraries(lumora-sample-images PRIVATE Qt6::Gui)

# Widget tests: GoogleTest cases driven through QTest's event helpers, one
# program with its own main (tests/ui/ui_test_main.cpp) that creates the
# QApplication; they run on the offscreen platform, no display needed.
if(LUMORA_BUILD_TESTS)
  file(GLOB LUMORA_UI_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/ui/*.cpp)
  if(LUMORA_UI_TESTS)
    find_package(GTest REQUIRED)
    include(GoogleTest)
    add_executable(lumora-ui-tests ${LUMORA_UI_TESTS})
    set_target_properties(lumora-ui-tests PROPERTIES AUTOMOC ON)
    target_link_libraries(lumora-ui-tests PRIVATE lumora-ui lumora-test-support lumora-cli-lib
      lumora-devotion-samples lumora-noteset-samples Qt6::Test GTest::gtest)
    # The help tests read the pages as they are shipped.
    add_dependencies(lumora-ui-tests lumora-help)
    include(${PROJECT_SOURCE_DIR}/cmake/TestPrograms.cmake)
    lumora_test_program(lumora-ui-tests QT)
    # The copy tests compare with what lumora-cli exports.
    add_dependencies(lumora-ui-tests lumora-cli)
    target_compile_definitions(lumora-ui-tests PRIVATE LUMORA_CLI_PATH="$<TARGET_FILE:lumora-cli>")
    gtest_discover_tests(lumora-ui-tests DISCOVERY_TIMEOUT 60
      PROPERTIES LABELS ui ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endif()
endif()
