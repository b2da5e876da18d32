# Packages made by CPack from the install rules, one kind per platform:
#
#   Linux    a Debian package      cmake --preset package && cmake --build --preset package
#                                  && cpack --preset package       (scripts/package-check.sh)
#   Windows  a ZIP of the installed folder, Qt deployed beside the program   (preset windows)
#   macOS    a disk image holding Quillet.app                                  (preset macos)
#
# and the checks of the desktop metadata the Linux package installs.
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VENDOR Quillet)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT
    "Quillet maintainers <maintainers@users.noreply.c-seed-84f3b231.example>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quillet)
# The same home page as in resources/io.github.quillet.quillet.metainfo.xml.
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/quillet/quillet")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "likelihood ratio tests of nucleotide substitution models")
# Lines as they stand in the package's description.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Quillet decides, by likelihood ratio tests against the chi-square distribution,"
  "whether the simpler of two nested hypotheses about a DNA alignment is rejected at a"
  "chosen significance level: a test of models among JC, K2P, F81, HKY85, TrN and GTR"
  "(each optionally with gamma and invariable sites), a molecular clock test and a test"
  "of rate heterogeneity. The log-likelihoods come from another program, such as PAUP*,"
  "PhyML, RAxML or IQ-TREE. A chi-square calculator is included, and every calculation"
  "can be kept in a plain-text report.")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
elseif(APPLE)
  set(CPACK_GENERATOR DragNDrop)
else()
  set(CPACK_GENERATOR DEB)
endif()

# quillet_2.1-1_amd64.deb; dpkg-shlibdeps reads the libraries the programs link (Qt, the C++
# runtime) and writes the Depends line from them.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)

# The desktop entry and the AppStream metadata must pass their validators without a single
# remark: software centres and menus skip or mangle entries that do not.
if(QUILLET_BUILD_TESTS AND TARGET quillet_gui AND UNIX AND NOT APPLE)
  find_program(QUILLET_DESKTOP_FILE_VALIDATE desktop-file-validate)
  find_program(QUILLET_APPSTREAMCLI appstreamcli)
  if(QUILLET_DESKTOP_FILE_VALIDATE AND QUILLET_APPSTREAMCLI)
    add_test(NAME DesktopMetadata.DesktopEntryValidates
             COMMAND ${QUILLET_DESKTOP_FILE_VALIDATE}
                     ${PROJECT_SOURCE_DIR}/resources/quillet.desktop)
    # No network: the screenshot's address is checked for its form only.
    add_test(NAME DesktopMetadata.MetainfoValidates
             COMMAND ${QUILLET_APPSTREAMCLI} validate --no-net --pedantic --explain
                     ${PROJECT_SOURCE_DIR}/resources/io.github.quillet.quillet.metainfo.xml)
    set_tests_properties(DesktopMetadata.DesktopEntryValidates DesktopMetadata.MetainfoValidates
                         PROPERTIES FAIL_REGULAR_EXPRESSION "(error|warning|hint): ;^[EWIP]: ;\n[EWIP]: ")
  else()
    message(STATUS "desktop-file-validate or appstreamcli not found: "
                   "the desktop metadata is not validated")
  endif()
endif()
