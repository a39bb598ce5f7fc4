# Build conventions shared by every target of the project.
#
# Each folder under src/ is two static libraries: velocrest_<folder> from its pure C++ sources and
# velocrest_<folder>_qt from its qt/ subfolder. The second is left out of a VELOCREST_CORE_ONLY build,
# where no Qt is looked for.

set(VELOCREST_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Woverloaded-virtual -Wimplicit-fallthrough -Werror)

if(VELOCREST_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
if(VELOCREST_FUZZ)
    # Everything is instrumented for coverage so the fuzzers see into the libraries; the unit
    # tests of this build run under ASan and UBSan as well.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# The Qt-side name of each library in a list: velocrest_x becomes velocrest_x_qt where that exists.
function(velocrest_qt_names out)
    set(names "")
    foreach(dep IN LISTS ARGN)
        if(TARGET ${dep}_qt)
            list(APPEND names ${dep}_qt)
        else()
            list(APPEND names ${dep})
        endif()
    endforeach()
    set(${out} ${names} PARENT_SCOPE)
endfunction()

# velocrest_module(<name> [DEPS <targets>...] [QT_LIBS <Qt targets>...])
#
# Two libraries per folder: velocrest_<name> from the folder's own sources, which never gets a Qt
# include path or library (a Qt include there fails every build, not only the core one), and
# velocrest_<name>_qt from its qt/ subfolder, on top of the first, of the _qt libraries of its DEPS
# and of QT_LIBS. A folder without Qt sources still gets velocrest_<name>_qt, so that Qt code can
# always link the _qt name of what it uses.
function(velocrest_module name)
    cmake_parse_arguments(M "" "" "DEPS;QT_LIBS" ${ARGN})
    file(GLOB core_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    set(target velocrest_${name})
    if(core_sources)
        add_library(${target} STATIC ${core_sources})
        target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_compile_options(${target} PRIVATE ${VELOCREST_WARNINGS})
        target_link_libraries(${target} PUBLIC ${M_DEPS})
    else()
        # A folder whose first sources have not landed yet: keep the name linkable.
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${target} INTERFACE ${M_DEPS})
    endif()
    if(VELOCREST_CORE_ONLY)
        return()
    endif()

    velocrest_qt_names(qt_deps ${M_DEPS})
    list(PREPEND qt_deps ${target})
    file(GLOB qt_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/qt/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/qt/*.h)
    if(qt_sources)
        add_library(${target}_qt STATIC ${qt_sources})
        target_compile_options(${target}_qt PRIVATE ${VELOCREST_WARNINGS})
        set_target_properties(${target}_qt PROPERTIES AUTOMOC ON)
        target_link_libraries(${target}_qt PUBLIC ${qt_deps} ${M_QT_LIBS})
    else()
        add_library(${target}_qt INTERFACE)
        target_link_libraries(${target}_qt INTERFACE ${qt_deps})
    endif()
endfunction()

# velocrest_tests(<folder> [DEPS <targets>...]): tests/<folder>/*_test.cpp become test_<folder>,
# tests/<folder>/qt/*_test.cpp become test_<folder>_qt (run on the offscreen platform).
function(velocrest_tests folder)
    cmake_parse_arguments(T "" "" "DEPS" ${ARGN})
    # The tests' environment reaches both the listing of the tests and their runs through a
    # "cmake -E env" launcher: gtest_discover_tests flattens a list given as ENVIRONMENT property, so
    # only the first variable would arrive that way, and the listing would get none.
    set(env LC_ALL=C LANG=C QT_QPA_PLATFORM=offscreen VELOCREST_SOURCE_DIR=${PROJECT_SOURCE_DIR})
    set(launcher ${CMAKE_COMMAND} -E env ${env} /bin/sh ${PROJECT_SOURCE_DIR}/cmake/test-zone.sh)
    file(GLOB core_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_test.cpp)
    if(core_tests)
        add_executable(test_${folder} ${core_tests})
        target_compile_options(test_${folder} PRIVATE ${VELOCREST_WARNINGS})
        target_link_libraries(test_${folder} PRIVATE ${T_DEPS} velocrest_testsupport GTest::gmock GTest::gtest_main)
        set_property(TARGET test_${folder} PROPERTY CROSSCOMPILING_EMULATOR ${launcher})
        gtest_discover_tests(test_${folder} DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 300)
    endif()
    if(NOT VELOCREST_CORE_ONLY)
        file(GLOB qt_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/qt/*_test.cpp)
        if(qt_tests)
            add_executable(test_${folder}_qt ${qt_tests})
            target_compile_options(test_${folder}_qt PRIVATE ${VELOCREST_WARNINGS})
            set_target_properties(test_${folder}_qt PROPERTIES AUTOMOC ON)
            velocrest_qt_names(qt_deps ${T_DEPS})
            target_link_libraries(test_${folder}_qt PRIVATE ${qt_deps} velocrest_testsupport_qt GTest::gmock)
            set_property(TARGET test_${folder}_qt PROPERTY CROSSCOMPILING_EMULATOR ${launcher})
            gtest_discover_tests(test_${folder}_qt DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 300)
        endif()
    endif()
endfunction()

# velocrest_fuzzer(<name> DEPS <targets>...): fuzz/<name>_fuzz.cpp as a libFuzzer executable.
function(velocrest_fuzzer name)
    cmake_parse_arguments(F "" "" "DEPS" ${ARGN})
    add_executable(fuzz_${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}_fuzz.cpp)
    target_compile_options(fuzz_${name} PRIVATE ${VELOCREST_WARNINGS})
    target_link_libraries(fuzz_${name} PRIVATE ${F_DEPS})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    set_property(GLOBAL APPEND PROPERTY VELOCREST_FUZZERS fuzz_${name})
endfunction()

# velocrest_x11_tests(<folder> [DEPS <targets>...]): tests/<folder>/x11/*_test.cpp become
# test_<folder>_x11, labelled "x11". They talk to a real X server with a window manager
# (scripts/with-x ctest --preset default -L x11) and skip themselves when there is none, so the
# environment leaves the platform to them instead of forcing offscreen.
function(velocrest_x11_tests folder)
    cmake_parse_arguments(T "" "" "DEPS" ${ARGN})
    if(VELOCREST_CORE_ONLY)
        return()
    endif()
    file(GLOB x11_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/x11/*_test.cpp)
    if(NOT x11_tests)
        return()
    endif()
    set(env LC_ALL=C LANG=C VELOCREST_SOURCE_DIR=${PROJECT_SOURCE_DIR})
    if(VELOCREST_SANITIZE)
        # libxkbcommon-x11 strndup()s keymap names out of xcb replies that carry no terminating NUL,
        # which strict string checks report while the application connects; everything else stays.
        list(APPEND env ASAN_OPTIONS=detect_leaks=1:abort_on_error=1)
    endif()
    set(launcher ${CMAKE_COMMAND} -E env ${env} /bin/sh ${PROJECT_SOURCE_DIR}/cmake/test-zone.sh)
    add_executable(test_${folder}_x11 ${x11_tests})
    target_compile_options(test_${folder}_x11 PRIVATE ${VELOCREST_WARNINGS})
    set_target_properties(test_${folder}_x11 PROPERTIES AUTOMOC ON)
    velocrest_qt_names(qt_deps ${T_DEPS})
    target_link_libraries(test_${folder}_x11 PRIVATE ${qt_deps} velocrest_testsupport_qt GTest::gmock)
    set_property(TARGET test_${folder}_x11 PROPERTY CROSSCOMPILING_EMULATOR ${launcher})
    # One desktop for all of them: their work areas would mix if they ran side by side.
    gtest_discover_tests(test_${folder}_x11 DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT 300 LABELS x11 RESOURCE_LOCK x11_desktop)
endfunction()
