# Install layout (GNUInstallDirs), the desktop integration and the Debian package.
# The programs carry their data as resources; beside them the prefix holds the example
# project, the manual, the man page and the shell completion.
# Sanitizer and fuzzing builds find faults; they are not shipped, and their programs are not run
# at build time.
if(ZEPHAN_SANITIZE OR ZEPHAN_FUZZ)
    return()
endif()
include(GNUInstallDirs)
# Installing and packaging take what is built; they do not build the tests and benchmarks first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(zephan_share ${CMAKE_INSTALL_DATADIR}/zephan)
set(zephan_pack ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS zephan-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The example project, written by the command-line tool from the data it carries.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/share/Beispiel.pro
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/share
                   COMMAND zephan-cli example ${CMAKE_BINARY_DIR}/share/Beispiel.pro
                   DEPENDS zephan-cli ${CMAKE_SOURCE_DIR}/src/data/Beispiel.pro.txt VERBATIM)
add_custom_target(zephan_share_example ALL DEPENDS ${CMAKE_BINARY_DIR}/share/Beispiel.pro)
install(FILES ${CMAKE_BINARY_DIR}/share/Beispiel.pro DESTINATION ${zephan_share})

# The man page of zephan-cli, made from its own help texts.
find_program(HELP2MAN help2man)
if(HELP2MAN)
    set(zephan_man ${CMAKE_BINARY_DIR}/share/zephan-cli.1)
    add_custom_command(OUTPUT ${zephan_man}
                       COMMAND ${HELP2MAN} --no-info --locale=C.UTF-8 "--help-option=help --alle"
                               --version-string=${PROJECT_VERSION}
                               "--name=Luftkanalnetze ohne Fenster berechnen"
                               --output=${zephan_man} $<TARGET_FILE:zephan-cli>
                       DEPENDS zephan-cli VERBATIM)
    add_custom_target(zephan_man_page ALL DEPENDS ${zephan_man})
    install(FILES ${zephan_man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    message(WARNING "help2man not found: zephan-cli is installed without its man page")
endif()

install(FILES ${zephan_pack}/zephan-cli.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME zephan-cli)

if(ZEPHAN_APP)
    install(TARGETS zephan zephan-druck RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${zephan_pack}/de.zephan.Zephan.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${zephan_pack}/de.zephan.Zephan.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${zephan_pack}/zephan-projekt.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

    # The icon theme: the program's own drawing, and bitmaps rendered from it at build time.
    set(zephan_svg ${CMAKE_SOURCE_DIR}/src/app/icons/zephan.svg)
    install(FILES ${zephan_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    add_executable(zephan-iconpng ${CMAKE_SOURCE_DIR}/src/iconpng/main.cpp)
    target_link_libraries(zephan-iconpng PRIVATE Qt6::Gui Qt6::Svg)
    set(zephan_pngs)
    foreach(size 48 128)
        set(png ${CMAKE_BINARY_DIR}/share/icons/${size}x${size}/zephan.png)
        add_custom_command(OUTPUT ${png}
                           COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/share/icons/${size}x${size}
                           COMMAND zephan-iconpng ${zephan_svg} ${size} ${png}
                           DEPENDS zephan-iconpng ${zephan_svg} VERBATIM)
        list(APPEND zephan_pngs ${png})
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    add_custom_target(zephan_icon_pngs ALL DEPENDS ${zephan_pngs})
endif()

# The manual for reading outside the program.
file(GLOB zephan_doc_bilder CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/*.png)
install(FILES ${CMAKE_SOURCE_DIR}/docs/handbuch.md ${zephan_doc_bilder}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zephan)

# The Debian package: `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME zephan)
set(CPACK_PACKAGE_VENDOR Zephan)
set(CPACK_PACKAGE_CONTACT "Zephan <zephan@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Luftkanalnetzberechnung: Druckverlust, Dimensionierung, Schall")
set(CPACK_PACKAGE_INSTALL_DIRECTORY zephan)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its German texts and the offscreen/xcb platforms in these packages at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-liberation")
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
set(CPACK_GENERATOR DEB)
include(CPack)

# The install and the package are checked as the user gets them.
if(ZEPHAN_APP)
    foreach(check install deb)
        add_test(NAME install/${check}
                 COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/${check}_check.sh ${CMAKE_BINARY_DIR})
        set_tests_properties(install/${check} PROPERTIES LABELS "install" TIMEOUT 600)
    endforeach()
endif()
