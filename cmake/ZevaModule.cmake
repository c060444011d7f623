# zeva_module(<name> [DEPS libs...] [UI_DEPS libs...])
#
# Builds the engine sources of the current folder (*.cpp directly in it) into the
# static library zeva_<name>, linked to Qt6::Core only, and the window sources in
# its ui/ subfolder (if any) into zeva_<name>_ui, linked to Qt6::Widgets.
# New source files are picked up at the next configure (CONFIGURE_DEPENDS).
function(zeva_module name)
  cmake_parse_arguments(ZM "" "" "DEPS;UI_DEPS" ${ARGN})
  file(GLOB engine_src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB engine_hdr CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT engine_src)
    # A folder whose code has not arrived yet.
    return()
  endif()
  add_library(zeva_${name} STATIC ${engine_src} ${engine_hdr})
  target_include_directories(zeva_${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(zeva_${name} PUBLIC Qt6::Core ${ZM_DEPS})
  target_compile_options(zeva_${name} PRIVATE -Wall -Wextra)
  file(GLOB ui_src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp)
  file(GLOB ui_hdr CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.h)
  file(GLOB ui_qrc CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.qrc)
  if(ui_src)
    add_library(zeva_${name}_ui STATIC ${ui_src} ${ui_hdr} ${ui_qrc})
    target_include_directories(zeva_${name}_ui PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(zeva_${name}_ui PUBLIC zeva_${name} Qt6::Widgets ${ZM_UI_DEPS})
    target_compile_options(zeva_${name}_ui PRIVATE -Wall -Wextra)
  endif()
endfunction()

# zeva_test_suite(<name> LIBS libs...)
# One GoogleTest executable per test folder from every *.cpp in it.
function(zeva_test_suite name)
  cmake_parse_arguments(ZT "" "" "LIBS" ${ARGN})
  file(GLOB test_src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT test_src)
    return()
  endif()
  add_executable(test_${name} ${test_src})
  target_link_libraries(test_${name} PRIVATE ${ZT_LIBS} zeva_testsupport GTest::gtest GTest::gmock)
  # testmain.cpp lives in the support library; keep it linked in.
  target_link_options(test_${name} PRIVATE -Wl,--undefined=main)
  target_compile_options(test_${name} PRIVATE -Wall -Wextra)
  target_compile_definitions(test_${name} PRIVATE
    ZEVA_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    ZEVA_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    ZEVA_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  gtest_discover_tests(test_${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
