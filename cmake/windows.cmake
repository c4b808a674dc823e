# What the Windows build adds: the executable's version information, and when
# cross-building, Wine as the emulator that runs the tests.

# Windows has no C locale, which the tests' fixed locale stands for elsewhere
# and which the program takes for Slovak: there the tests run in Slovak, which
# Wine takes from LC_ALL.
list(TRANSFORM KELVARO_TEST_ENVIRONMENT REPLACE "^(LC_ALL|LANG)=C\\.UTF-8$" "\\1=sk_SK.UTF-8")

configure_file(${CMAKE_CURRENT_LIST_DIR}/kelvaro.rc.in ${CMAKE_BINARY_DIR}/kelvaro.rc @ONLY)
target_sources(kelvaro PRIVATE ${CMAKE_BINARY_DIR}/kelvaro.rc)

# The compiler's runtime DLLs, which the program and Qt's DLLs load.
set(KELVARO_MINGW_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
    endif()
    file(REAL_PATH "${path}" path)
    list(APPEND KELVARO_MINGW_RUNTIME_DLLS "${path}")
endforeach()

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(KELVARO_WINE wine REQUIRED)
    find_program(KELVARO_WINESERVER wineserver REQUIRED)
    set(KELVARO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    # Windows finds a program's DLLs on its path: Qt's and the compiler's.
    set(dirs "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
    foreach(dll IN LISTS KELVARO_MINGW_RUNTIME_DLLS)
        get_filename_component(dir "${dll}" DIRECTORY)
        list(APPEND dirs "${dir}")
    endforeach()
    list(REMOVE_DUPLICATES dirs)
    list(TRANSFORM dirs PREPEND "Z:")
    string(REPLACE "/" "\\" KELVARO_WINEPATH "${dirs}")
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()
