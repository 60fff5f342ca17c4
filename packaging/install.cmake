# Installation (`cmake --install build`, with --prefix and DESTDIR as usual) and the Debian
# package (`make package`). The installed programs read no files: everything they show is
# compiled in.

include(GNUInstallDirs)
set(LUMARO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/lumaro)

install(TARGETS lumaro lumaro-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/lumaro.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The sizes that assets/icons/make_icons.py draws.
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES assets/icons/lumaro-${size}.png RENAME lumaro.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page of lumaro-render, made from its --help text.
set(LUMARO_MANPAGE ${CMAKE_CURRENT_BINARY_DIR}/lumaro-render.1)
add_custom_command(OUTPUT ${LUMARO_MANPAGE}
  COMMAND ${CMAKE_COMMAND} -DRENDER=$<TARGET_FILE:lumaro-render> -DVERSION=${PROJECT_VERSION}
          -DOUT=${LUMARO_MANPAGE} -P ${CMAKE_CURRENT_SOURCE_DIR}/packaging/manpage.cmake
  DEPENDS lumaro-render packaging/manpage.cmake
  COMMENT "Writing the manual page of lumaro-render")
add_custom_target(lumaro-manpage ALL DEPENDS ${LUMARO_MANPAGE})
install(FILES ${LUMARO_MANPAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The licence terms, as the licence window shows them.
if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/contents/texts.cpp)
  add_executable(lumaro-licence-text packaging/print_licence.cpp contents/texts.cpp)
  target_include_directories(lumaro-licence-text PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  set(LUMARO_LICENCE ${CMAKE_CURRENT_BINARY_DIR}/copyright)
  add_custom_command(OUTPUT ${LUMARO_LICENCE}
    COMMAND lumaro-licence-text > ${LUMARO_LICENCE}
    DEPENDS lumaro-licence-text
    COMMENT "Writing the licence terms")
  add_custom_target(lumaro-licence ALL DEPENDS ${LUMARO_LICENCE})
  install(FILES ${LUMARO_LICENCE} DESTINATION ${LUMARO_DOC_DIR})
  set(LUMARO_HAS_LICENCE ON)
else()
  message(STATUS "No licence terms (contents/texts.cpp) yet: the installation leaves them out")
  set(LUMARO_HAS_LICENCE OFF)
endif()

# The Debian package: build/lumaro_<version>_amd64.deb. Its run-time dependencies come from the
# libraries the programs link (dpkg-shlibdeps); Qt's platform plugins are loaded at run time,
# where no linker sees them, so that one package is named by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumaro)
set(CPACK_PACKAGE_VENDOR Tornvik)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "German railway light signals to set by hand and learn")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tornvik <support@tornvik.example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.tornvik.example.org/")
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
            ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_VERSION} ${LUMARO_HAS_LICENCE})
  set_tests_properties(${mode}_tree PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
endforeach()
