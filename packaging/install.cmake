# Installation (`cmake --install build`, with --prefix and DESTDIR as usual) and the Debian
# package (`make package`). The installed programs read no files: everything they show is
# compiled in.

include(GNUInstallDirs)
include(packaging/changelog.cmake)
set(LUMARO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/lumaro)

# The maker, its web site and its support address, each written once where the windows take them
# from. Read here for the package's fields and the metainfo; a change there configures anew.
set(LUMARO_TEXTS_HEADER ${CMAKE_CURRENT_SOURCE_DIR}/contents/texts.h)
set(LUMARO_CHANGELOG ${CMAKE_CURRENT_SOURCE_DIR}/packaging/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${LUMARO_TEXTS_HEADER} ${LUMARO_CHANGELOG})
function(lumaro_text_constant pattern out)
  file(STRINGS ${LUMARO_TEXTS_HEADER} found REGEX "${pattern} = \"[^\"]*\"")
  if(NOT found MATCHES "${pattern} = \"([^\"]*)\"")
    message(FATAL_ERROR "${LUMARO_TEXTS_HEADER} no longer has ${pattern} = \"...\"")
  endif()
  set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
lumaro_text_constant("kWebSite" LUMARO_WEB_SITE)
lumaro_text_constant("kSupportMail" LUMARO_SUPPORT_MAIL)
lumaro_text_constant("\\.webLink" LUMARO_MAKER)   # the about window's maker's name

lumaro_read_changelog(${LUMARO_CHANGELOG} LUMARO_CHANGELOG)
if(NOT LUMARO_CHANGELOG_NEWEST STREQUAL PROJECT_VERSION)
  message(WARNING "packaging/changelog begins with version ${LUMARO_CHANGELOG_NEWEST}, "
                  "the project is ${PROJECT_VERSION}: write the new version's entry")
endif()

# The program's id: the name of its desktop entry and metainfo, and the name by which the window
# tells the desktop which entry it belongs to. The maker's domain reversed, as software centres
# expect; it stays the same for good, since desktops and software centres know the program by it.
set(LUMARO_DESKTOP_ID org.example.tornvik.lumaro)
target_compile_definitions(lumaro PRIVATE LUMARO_DESKTOP_ID="${LUMARO_DESKTOP_ID}")

install(TARGETS lumaro lumaro-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/lumaro.desktop RENAME ${LUMARO_DESKTOP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The sizes that assets/icons/make_icons.py draws.
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES assets/icons/lumaro-${size}.png RENAME lumaro.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# What software centres list, under the desktop entry's id: the web site and, as the screenshots,
# the README's pictures of docs/ as the web site offers them.
set(LUMARO_SCREENSHOTS "${LUMARO_WEB_SITE}")
if(NOT LUMARO_SCREENSHOTS MATCHES "/$")
  string(APPEND LUMARO_SCREENSHOTS "/")
endif()
string(APPEND LUMARO_SCREENSHOTS "lumaro/docs/")
set(LUMARO_RELEASES "${LUMARO_CHANGELOG_RELEASES}")
string(REGEX REPLACE "\n$" "" LUMARO_RELEASES "${LUMARO_RELEASES}")
configure_file(packaging/lumaro.metainfo.xml.in ${CMAKE_CURRENT_BINARY_DIR}/${LUMARO_DESKTOP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${LUMARO_DESKTOP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the changelog are installed compressed as Debian has them: gzip at its best,
# without the file's name and time, so that two builds give the same bytes. gzip removes a
# half-written output itself; the copy it works on stays in compressed/ until it succeeds.
find_program(LUMARO_GZIP gzip REQUIRED)
set(LUMARO_COMPRESSED ${CMAKE_CURRENT_BINARY_DIR}/compressed)
file(MAKE_DIRECTORY ${LUMARO_COMPRESSED})
function(lumaro_compress name source)
  add_custom_command(OUTPUT ${LUMARO_COMPRESSED}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${LUMARO_COMPRESSED}/${name}
    COMMAND ${LUMARO_GZIP} -9nf ${LUMARO_COMPRESSED}/${name}
    DEPENDS ${source} ${ARGN}
    VERBATIM)
endfunction()

# The manual page of lumaro-render, made from its --help text.
set(LUMARO_RENDER_MANPAGE ${CMAKE_CURRENT_BINARY_DIR}/lumaro-render.1)
add_custom_command(OUTPUT ${LUMARO_RENDER_MANPAGE}
  COMMAND ${CMAKE_COMMAND} -DRENDER=$<TARGET_FILE:lumaro-render> -DVERSION=${PROJECT_VERSION}
          -DOUT=${LUMARO_RENDER_MANPAGE} -P ${CMAKE_CURRENT_SOURCE_DIR}/packaging/manpage.cmake
  DEPENDS lumaro-render packaging/manpage.cmake
  COMMENT "Writing the manual page of lumaro-render")
lumaro_compress(lumaro-render.1 ${LUMARO_RENDER_MANPAGE})
# The window's manual page, written by hand.
configure_file(packaging/lumaro.1.in ${CMAKE_CURRENT_BINARY_DIR}/lumaro.1 @ONLY)
lumaro_compress(lumaro.1 ${CMAKE_CURRENT_BINARY_DIR}/lumaro.1)
install(FILES ${LUMARO_COMPRESSED}/lumaro.1.gz ${LUMARO_COMPRESSED}/lumaro-render.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# A native package's changelog is changelog.gz.
lumaro_compress(changelog ${LUMARO_CHANGELOG})
install(FILES ${LUMARO_COMPRESSED}/changelog.gz DESTINATION ${LUMARO_DOC_DIR})

# The copyright file: maker, web site and the licence terms as the licence window shows them, in
# Debian's machine-readable form.
add_executable(lumaro-copyright-file packaging/copyright_file.cpp contents/texts.cpp)
target_include_directories(lumaro-copyright-file PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
set(LUMARO_COPYRIGHT ${CMAKE_CURRENT_BINARY_DIR}/copyright)
add_custom_command(OUTPUT ${LUMARO_COPYRIGHT}
  COMMAND lumaro-copyright-file ${LUMARO_CHANGELOG_YEARS} ${LUMARO_COPYRIGHT}
  DEPENDS lumaro-copyright-file
  COMMENT "Writing the copyright file")
install(FILES ${LUMARO_COPYRIGHT} DESTINATION ${LUMARO_DOC_DIR})

add_custom_target(lumaro-package-files ALL
  DEPENDS ${LUMARO_COMPRESSED}/lumaro.1.gz ${LUMARO_COMPRESSED}/lumaro-render.1.gz
          ${LUMARO_COMPRESSED}/changelog.gz ${LUMARO_COPYRIGHT})

# The Debian package: build/lumaro_<version>_amd64.deb. Its run-time dependencies come from the
# libraries the programs link (dpkg-shlibdeps); Qt's platform plugins are loaded at run time,
# where no linker sees them, so that one package is named by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumaro)
set(CPACK_PACKAGE_VENDOR ${LUMARO_MAKER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "German railway light signals to set by hand and learn")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LUMARO_MAKER} <${LUMARO_SUPPORT_MAIL}>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${LUMARO_WEB_SITE})
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "A line of ten signal columns in the H/V, Ks or Hl system whose aspects are set\n\
with push buttons; distant signals and indicators follow the signal ahead, and\n\
panels name each aspect as the signal book does. lumaro-render draws the same\n\
scene without a window, for scripts and pictures.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
include(CPack)

# Tests of the installation tree and of the package (tests/install).
foreach(mode install package)
  add_test(NAME ${mode}_tree
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/install_test.sh ${mode}
            ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_VERSION})
  set_tests_properties(${mode}_tree PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
endforeach()
