# Shared compile settings and the helpers every folder uses to declare its target.

add_library(tarnek_options INTERFACE)
# The warning set KDE's build uses; Qt's headers come in as system headers and stay quiet.
target_compile_options(tarnek_options INTERFACE
    -Wall -Wextra -pedantic
    -Wnon-virtual-dtor -Woverloaded-virtual -Wsuggest-override -Wshadow
    $<$<CXX_COMPILER_ID:GNU>:-Wlogical-op>
    -Werror=return-type)
if(TARNEK_WERROR)
    target_compile_options(tarnek_options INTERFACE -Werror)
endif()
target_compile_definitions(tarnek_options INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_KEYWORDS QT_USE_QSTRINGBUILDER QT_NO_FOREACH)
if(TARNEK_SANITIZE)
    target_compile_options(tarnek_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(tarnek_options INTERFACE -fsanitize=address,undefined)
endif()
if(TARNEK_BUILD_FUZZERS)
    # Coverage feedback for libFuzzer, with the sanitizers, in everything the harnesses link.
    target_compile_options(tarnek_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(tarnek_options INTERFACE -fsanitize=address,undefined)
endif()

# Qt headers every module leans on; precompiled once per target kind.
set(TARNEK_PCH_CORE <QString> <QStringList> <QVariant> <QList> <QHash> <QDate> <QDateTime> <QFile> <QDir> <memory> <vector> <functional>)
set(TARNEK_PCH_WIDGETS ${TARNEK_PCH_CORE} <QWidget> <QDialog>)

# tarnek_add_library(<name> [WIDGETS] SOURCES ... [DEPS ...])
#   One static library per source folder; DEPS are other tarnek libraries or Qt targets.
function(tarnek_add_library name)
    cmake_parse_arguments(ARG "WIDGETS" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
    target_link_libraries(${name} PUBLIC tarnek_options ${ARG_DEPS})
    if(TARNEK_USE_PCH)
        if(ARG_WIDGETS)
            target_precompile_headers(${name} PRIVATE ${TARNEK_PCH_WIDGETS})
        else()
            target_precompile_headers(${name} PRIVATE ${TARNEK_PCH_CORE})
        endif()
    endif()
endfunction()

# tarnek_add_test(<name> SOURCES ... DEPS ... [GUI])
#   One GoogleTest executable per area, its cases registered with CTest.
#   GUI tests run on Qt's offscreen platform.
function(tarnek_add_test name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE tarnek_testsupport ${ARG_DEPS} GTest::gtest GTest::gmock)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
    if(TARNEK_USE_PCH)
        target_precompile_headers(${name} PRIVATE ${TARNEK_PCH_WIDGETS} <gtest/gtest.h>)
    endif()
    # One variable only: the discovery splits a list of them into separate
    # properties. The test main chooses the offscreen platform itself.
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "TARNEK_TEST_DATA=${CMAKE_CURRENT_SOURCE_DIR}/data"
        DISCOVERY_TIMEOUT 60
        NO_PRETTY_VALUES)
endfunction()
