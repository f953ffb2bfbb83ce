# Windows test programs run under Wine through CMAKE_CROSSCOMPILING_EMULATOR. One Wine server is
# started before them and stopped after (a fixture), so that each test does not pay Wine's start.

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(SORABELL_WINEARCH win64)
    set(SORABELL_WINELOADER /usr/lib/wine/wine64)
else()
    set(SORABELL_WINEARCH win32)
    set(SORABELL_WINELOADER /usr/lib/wine/wine)
endif()
set(SORABELL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(SORABELL_WINE_ENV
    WINEPREFIX=${SORABELL_WINEPREFIX}
    WINEARCH=${SORABELL_WINEARCH}
    WINELOADER=${SORABELL_WINELOADER}
    WINEDEBUG=-all
    # A program that crashes ends at once: Wine's debugger, started for it, can hold its test
    # run for good.
    "WINEDLLOVERRIDES=mscoree,mshtml,winedbg.exe="
    LC_ALL=ja_JP.UTF-8)

# The same environment for the scripts that run this build's programs outside ctest (the test
# run, the demo, the Wine session fixture, the i386 guest): KEY=VALUE lines, one a line.
set(SORABELL_WINE_ENV_FILE ${CMAKE_BINARY_DIR}/wine.env)
list(JOIN SORABELL_WINE_ENV "\n" wine_env_lines)
file(CONFIGURE OUTPUT ${SORABELL_WINE_ENV_FILE} CONTENT "${wine_env_lines}\n" @ONLY)

if(NOT TEST wine_session_start)
    add_test(NAME wine_session_start
             COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/lib/wine-session.sh start ${SORABELL_WINE_ENV_FILE})
    add_test(NAME wine_session_stop
             COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/lib/wine-session.sh stop ${SORABELL_WINE_ENV_FILE})
    set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine LABELS wine)
    set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine LABELS wine)
endif()

# A GoogleTest program run under Wine; its results also go to <build>/test-results/<name>.xml
# (named relative to the program's folder: a Windows program takes a Unix absolute path for a relative one).
function(sorabell_add_wine_test target)
    file(RELATIVE_PATH results ${CMAKE_RUNTIME_OUTPUT_DIRECTORY} ${CMAKE_BINARY_DIR}/test-results/${target}.xml)
    add_test(NAME ${target}
             COMMAND ${target} --gtest_output=xml:${results}
             WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    set_tests_properties(${target} PROPERTIES
        FIXTURES_REQUIRED wine
        LABELS wine
        ENVIRONMENT "${SORABELL_WINE_ENV}"
        TIMEOUT 600)
endfunction()
