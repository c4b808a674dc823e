# Installation and the Debian package.  The program is built for the place it
# is installed to: it keeps its data files in the user's folder when it runs
# from there (app/datadirectory.h).

# On Linux the build is made for the place a Debian package installs to, so
# that the package made from it (cpack -G DEB) and the program agree.
if(UNIX AND NOT APPLE AND CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX "/usr" CACHE PATH "Install path prefix" FORCE)
endif()
include(GNUInstallDirs)
# On Windows everything goes into one folder: Windows looks for a program's
# DLLs beside it, and Qt for its plugins.
if(WIN32)
    set(KELVARO_INSTALL_BINDIR .)
else()
    set(KELVARO_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR})
endif()

# The version and the installed binary folder, as the program knows them.
configure_file(${PROJECT_SOURCE_DIR}/app/buildinfo.h.in ${PROJECT_BINARY_DIR}/app/buildinfo.h @ONLY)
target_include_directories(kelvarolib PUBLIC ${PROJECT_BINARY_DIR})

# The icon, drawn as packaging/sk.milbor.Kelvaro.svg; the PNGs beside it are
# made from it with rsvg-convert -w <size> -h <size>.  The window takes the
# small one, which is quick to decode at start.
qt_add_resources(kelvarolib "icon" PREFIX "/" BASE ${CMAKE_CURRENT_LIST_DIR}
    FILES ${CMAKE_CURRENT_LIST_DIR}/sk.milbor.Kelvaro-64.png)

install(TARGETS kelvaro RUNTIME DESTINATION ${KELVARO_INSTALL_BINDIR})

# What every package says of the program.
set(CPACK_PACKAGE_NAME kelvaro)
set(CPACK_PACKAGE_VENDOR Milbor)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "voucher redemption lists for a merchant's establishments")
set(CPACK_PACKAGE_DESCRIPTION [[
Kelvaro prepares the voucher redemption list that a merchant hands in with
the paper vouchers of a voucher company. It keeps a database of the
merchant's establishments and, for the chosen one, computes the counts,
values and totals of the vouchers, prints the list on an A4 form with
barcodes and writes the export file for the voucher company.]])
set(CPACK_STRIP_FILES ON)

if(UNIX AND NOT APPLE)
    # A freedesktop application: desktop entry, icon and AppStream data under
    # the reverse-DNS id.
    set(id sk.milbor.Kelvaro)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/${id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/${id}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/${id}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/${id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

    set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Milbor <kelvaro@milbor.sk>" CACHE STRING "Maintainer of the Debian package")
    set(CPACK_DEBIAN_PACKAGE_SECTION misc)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # What no library link shows: Qt's Slovak texts, and the fonts that stand
    # in for Arial and Courier New on the printed forms.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n, fonts-liberation")

    # Every Debian package carries its copyright and changelog; the changelog
    # names the version the package was built from.
    string(TIMESTAMP KELVARO_BUILD_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
    execute_process(COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/packaging/changelog
                    OUTPUT_FILE ${PROJECT_BINARY_DIR}/packaging/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvaro)
elseif(WIN32)
    # windeployqt does not run for a cross build: what the program loads is
    # named here.  Qt's libraries and the compiler's runtime beside the
    # program; the Windows platform plugin and the Windows style in their
    # folders; Qt's Slovak catalogue (see app/programsetup.cpp).  The
    # deployment test (tests/packaging/tst_windeploy.sh) fails when the
    # program or a plugin imports a DLL that is neither here nor Windows' own.
    install(IMPORTED_RUNTIME_ARTIFACTS Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport
            RUNTIME DESTINATION ${KELVARO_INSTALL_BINDIR})
    install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin LIBRARY DESTINATION platforms)
    install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin LIBRARY DESTINATION styles)
    install(PROGRAMS ${KELVARO_MINGW_RUNTIME_DLLS} DESTINATION ${KELVARO_INSTALL_BINDIR})
    install(FILES ${KELVARO_QT_CATALOGUE} DESTINATION translations)
    # The DLLs come with their debugging information; the package strips
    # them as it strips the program.
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            file(GLOB_RECURSE dlls \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
            foreach(dll IN LISTS dlls)
                execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${dll}\" COMMAND_ERROR_IS_FATAL ANY)
            endforeach()
        endif()")

    # cpack -G NSIS: the installer, kelvaro-<version>-win64.exe, made from
    # packaging/NSIS.template.in.  It installs for all users into Program
    # Files, records the folder in the program's uninstall entry, where the
    # program looks for it (app/datadirectory.h), and adds a Start menu entry
    # and an uninstaller.  cpack -G ZIP: the same files as a portable folder.
    set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
    set(CPACK_PACKAGE_INSTALL_DIRECTORY Kelvaro)
    set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Kelvaro)
    set(CPACK_NSIS_PACKAGE_NAME Kelvaro)
    set(CPACK_NSIS_DISPLAY_NAME Kelvaro)
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_NSIS_INSTALLED_ICON_NAME kelvaro.exe)
    set(CPACK_NSIS_MUI_ICON ${KELVARO_ICON})
    set(CPACK_NSIS_MUI_UNIICON ${KELVARO_ICON})
endif()

include(CPack)
