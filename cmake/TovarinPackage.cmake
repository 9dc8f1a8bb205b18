# The Debian package of the program, made by `cpack -G DEB` (scripts/package).
# The libraries come from dpkg-shlibdeps; what the program loads or uses without
# linking to it is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tovarin)
set(CPACK_PACKAGE_VENDOR "Tovarin developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "flow calculation of sewage drainage facilities")
# CPack puts the summary first and indents these lines as the control file wants them;
# each line stays within 79 characters, so that it is within 80 columns indented.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Tovarin checks whether a sewage drainage facility - a catalogue pipe, another
circular pipe or a rectangular channel - carries its planned sewage flow, and
writes the flow calculation sheet for a development application (Japanese).

tovarin-sheet writes the sheet, the results, PDF printouts and workbooks
without a display.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tovarin developers <tovarin@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The programs are stripped as Debian strips them: no symbols, and without the
# compiler's .comment and .note sections, which CPack's own strip leaves. CPack runs
# the script on the staged files before it packs them.
set(CPACK_STRIP_FILES OFF)
file(WRITE ${CMAKE_BINARY_DIR}/TovarinStripPrograms.cmake [[
file(GLOB programs "${CPACK_TEMPORARY_DIRECTORY}/usr/bin/*")
if(NOT programs)
  message(FATAL_ERROR "no programs to strip in ${CPACK_TEMPORARY_DIRECTORY}/usr/bin")
endif()
foreach(program IN LISTS programs)
  execute_process(COMMAND strip --strip-all --remove-section=.comment --remove-section=.note
                          "${program}"
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "strip failed on ${program}")
  endif()
endforeach()
]])
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_BINARY_DIR}/TovarinStripPrograms.cmake)
# The windows' Mincho and Gothic fonts, Qt's Japanese standard buttons, and Qt SVG,
# whose icon engine plugin draws the toolbar pictures at 150 % and 200 % scale (no
# program links it: the curve's SVG is written by our own writer).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-ipafont-mincho, fonts-ipafont-gothic, qt6-translations-l10n, libqt6svg6")
# "起動(&O)" starts the first of these editors it finds, xdg-open last; the document
# type reaches the desktop through the shared MIME database.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "gnome-text-editor | gedit | mousepad | kwrite | pluma | xed, xdg-utils, shared-mime-info")
include(CPack)
