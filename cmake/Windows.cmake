# Windows build (mingw-w64): the program, its helpers and the Windows tests that run under Wine.
enable_language(RC)
set(TAVIK_BIN_DIR ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${TAVIK_BIN_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${TAVIK_BIN_DIR})

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
add_compile_options(-Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers
                    -Wno-cast-function-type)
add_link_options(-static -static-libgcc -static-libstdc++)

set(TAVIK_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(TAVIK_SOURCE_DIR ${CMAKE_SOURCE_DIR})
configure_file(${CMAKE_SOURCE_DIR}/tools/wine/run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)

set(TAVIK_WIN_LIBS ole32 oleaut32 uuid comctl32 ws2_32 shlwapi shell32 gdi32 user32 msimg32 gdiplus)

# Our small application and dialog framework.
file(GLOB TAVIK_FRAMEWORK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/framework/*.cpp)
list(FILTER TAVIK_FRAMEWORK_SOURCES EXCLUDE REGEX "AppEntry\\.cpp$")
add_library(tavik_framework STATIC ${TAVIK_FRAMEWORK_SOURCES})
target_include_directories(tavik_framework PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/framework)
target_link_libraries(tavik_framework PUBLIC ${TAVIK_WIN_LIBS})

# Everything of the launcher but its entry point, so the Windows tests can drive the real classes.
file(GLOB TAVIK_CORE_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/launcher/*.cpp
     ${CMAKE_SOURCE_DIR}/flashhost/*.cpp ${CMAKE_SOURCE_DIR}/web/*.cpp ${CMAKE_SOURCE_DIR}/skin/*.cpp)
get_target_property(TAVIK_LOGIC_SOURCES tavik_logic SOURCES)
list(TRANSFORM TAVIK_LOGIC_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)
# The application object is the program's own; the tests bring their own CWinApp.
list(REMOVE_ITEM TAVIK_CORE_SOURCES ${TAVIK_LOGIC_SOURCES} ${CMAKE_SOURCE_DIR}/app/TavikGameApp.cpp)
add_library(tavik_core STATIC ${TAVIK_CORE_SOURCES})
target_include_directories(tavik_core PUBLIC ${CMAKE_SOURCE_DIR}/res)
target_link_libraries(tavik_core PUBLIC tavik_logic tavik_framework)

add_executable(TavikGame WIN32 ${CMAKE_SOURCE_DIR}/framework/AppEntry.cpp ${CMAKE_SOURCE_DIR}/app/TavikGameApp.cpp
               ${CMAKE_SOURCE_DIR}/res/TavikGame.rc)
target_link_libraries(TavikGame PRIVATE tavik_core)

add_subdirectory(tools)

# GoogleTest, built from Debian's source package with the cross compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_subdirectory(tests)

# Whole-frame timing under Wine; run by `make bench`.
add_executable(draw_bench ${CMAKE_SOURCE_DIR}/bench/win/DrawControlBench.cpp)
target_link_libraries(draw_bench PRIVATE tavik_testsupport)

# The stand-in movie player control (a COM server DLL) and what its tests need.
add_subdirectory(${CMAKE_SOURCE_DIR}/standins/movieplayer ${CMAKE_BINARY_DIR}/movieplayer)
target_link_libraries(win_tests PRIVATE moviemaker_lib)
if(TARGET movieplayer)
    add_dependencies(win_tests movieplayer)
endif()

# Stand-in page view: an in-process COM server under the WebBrowser class, for `make run`
# (registered with regsvr32) and for the Windows tests (loaded in-process).
file(GLOB PAGEVIEW_CORE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/standins/pageview/core/*.cpp)
add_library(pageview_core STATIC ${PAGEVIEW_CORE_SOURCES})
target_include_directories(pageview_core PUBLIC ${CMAKE_SOURCE_DIR})
file(GLOB PAGEVIEW_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/standins/pageview/*.cpp)
add_library(pageview SHARED ${PAGEVIEW_SOURCES} ${CMAKE_SOURCE_DIR}/standins/pageview/pageview.def)
target_include_directories(pageview PRIVATE ${CMAKE_SOURCE_DIR}/standins/pageview)
target_link_libraries(pageview PRIVATE pageview_core ${TAVIK_WIN_LIBS} ws2_32)
set_target_properties(pageview PROPERTIES PREFIX "" OUTPUT_NAME pageview)
# The Windows tests load the view from the build folder and open the demo site beside it.
add_custom_target(pageview_demo_site ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/demo/site ${TAVIK_BIN_DIR}/demo-site)
add_dependencies(win_tests pageview pageview_demo_site)
