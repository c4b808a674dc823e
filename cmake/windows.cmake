# What the Windows build adds: the executable's icon and version information,
# the files the program needs beside it, and when cross-building, Wine as the
# emulator that runs the tests.

# Windows has no C locale, which the tests' fixed locale stands for elsewhere
# and which the program takes for Slovak: there the tests run in Slovak, which
# Wine takes from LC_ALL.
list(TRANSFORM KELVARO_TEST_ENVIRONMENT REPLACE "^(LC_ALL|LANG)=C\\.UTF-8$" "\\1=sk_SK.UTF-8")
# Qt's offscreen platform on Windows reads its fonts from a folder, not the
# system's.  Under Wine, where drive Z: is Linux's root, it gets Linux's
# Liberation faces, which stand in for the windows' face on Linux too: the
# windows are laid out in the tests as they are there.
if(CMAKE_CROSSCOMPILING)
    list(APPEND KELVARO_TEST_ENVIRONMENT "QT_QPA_FONTDIR=Z:/usr/share/fonts/truetype/liberation")
endif()

# The executable's icon, in the sizes Windows shows, drawn from the picture of
# the Linux icon; the 256-pixel one is kept as PNG, as Windows expects.
find_program(KELVARO_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(KELVARO_ICOTOOL icotool REQUIRED)
set(KELVARO_ICON ${CMAKE_BINARY_DIR}/kelvaro.ico)
set(svg ${PROJECT_SOURCE_DIR}/packaging/sk.milbor.Kelvaro.svg)
set(commands)
set(pngs)
foreach(size 16 24 32 48 256)
    set(png ${CMAKE_BINARY_DIR}/icon/${size}.png)
    list(APPEND commands COMMAND ${KELVARO_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg})
    if(size EQUAL 256)
        list(APPEND pngs --raw=${png})
    else()
        list(APPEND pngs ${png})
    endif()
endforeach()
add_custom_command(OUTPUT ${KELVARO_ICON}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icon
    ${commands}
    COMMAND ${KELVARO_ICOTOOL} --create --output=${KELVARO_ICON} ${pngs}
    DEPENDS ${svg} VERBATIM)

configure_file(${CMAKE_CURRENT_LIST_DIR}/kelvaro.rc.in ${CMAKE_BINARY_DIR}/kelvaro.rc @ONLY)
target_sources(kelvaro PRIVATE ${CMAKE_BINARY_DIR}/kelvaro.rc ${KELVARO_ICON})
set_source_files_properties(${CMAKE_BINARY_DIR}/kelvaro.rc PROPERTIES OBJECT_DEPENDS ${KELVARO_ICON})

# Qt's Slovak catalogue, which the program looks for in translations/ beside
# itself (app/programsetup.cpp): Debian's, of the same Qt version.  The
# program of the build folder finds it there too.
find_file(KELVARO_QT_CATALOGUE qtbase_sk.qm PATHS ${QT_HOST_PATH}/share/qt6/translations
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(COPY ${KELVARO_QT_CATALOGUE} DESTINATION ${CMAKE_BINARY_DIR}/translations)

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
