# The Windows build (cross-built with cmake/mingw-w64-x86_64.cmake and the MinGW Qt
# of scripts/mingw-qt): what the programs need beside them to run, in the build's
# bin/ (so that the tests and the sheet tool run there under wine) and in the
# installed folder, which is self-contained: the programs, Qt's DLLs and the plugins
# used, the MinGW runtime, qt.conf and Qt's Japanese translation.

get_target_property(tovarin_qtcore_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(tovarin_qt_bin "${tovarin_qtcore_dll}" DIRECTORY)
get_filename_component(tovarin_qt_prefix "${tovarin_qt_bin}" DIRECTORY)

set(tovarin_qt_dlls Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6PrintSupport.dll)
# The plugins the programs load: the window system, the style (printing is in Qt6PrintSupport itself), and the
# image formats that read .ico and .jpg files (PNG and XPM are built into Qt Gui).
set(tovarin_qt_plugins
  platforms/qwindows.dll
  styles/qwindowsvistastyle.dll
  imageformats/qico.dll
  imageformats/qjpeg.dll)

# The POSIX-threads runtime of Debian's MinGW-w64 GCC 12, which Qt's DLLs use too.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
  OUTPUT_VARIABLE tovarin_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libgcc_s_seh-1.dll
  OUTPUT_VARIABLE tovarin_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
find_file(tovarin_libwinpthread libwinpthread-1.dll
  PATHS /usr/x86_64-w64-mingw32/lib /usr/x86_64-w64-mingw32/bin NO_CMAKE_FIND_ROOT_PATH REQUIRED)
# Debian's MinGW zlib, which libxlsxwriter (tovarin-sheet --xlsx) writes its workbooks with.
find_file(tovarin_zlib1 zlib1.dll PATHS /usr/x86_64-w64-mingw32/lib NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(tovarin_runtime_dlls "${tovarin_libstdcxx}" "${tovarin_libgcc}" "${tovarin_libwinpthread}"
  "${tovarin_zlib1}")

# Qt's Japanese translation: a .qm file is the same on every system.
find_file(tovarin_qtbase_ja qtbase_ja.qm PATHS /usr/share/qt6/translations
  NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# The Qt beside the programs: plugins in their folders, translations below.
set(tovarin_qt_conf "${CMAKE_BINARY_DIR}/qt.conf")
file(WRITE "${tovarin_qt_conf}" "[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n")

foreach(dll IN LISTS tovarin_qt_dlls)
  list(APPEND tovarin_qt_dll_paths "${tovarin_qt_bin}/${dll}")
endforeach()

# The build's bin/: ready to run under wine. Qt Test only for the tests.
set(tovarin_bin "${CMAKE_BINARY_DIR}/bin")
file(COPY ${tovarin_qt_dll_paths} "${tovarin_qt_bin}/Qt6Test.dll" ${tovarin_runtime_dlls}
  "${tovarin_qt_conf}" DESTINATION "${tovarin_bin}")
file(COPY "${tovarin_qtbase_ja}" DESTINATION "${tovarin_bin}/translations")
foreach(plugin IN LISTS tovarin_qt_plugins)
  get_filename_component(folder "${plugin}" DIRECTORY)
  file(COPY "${tovarin_qt_prefix}/plugins/${plugin}" DESTINATION "${tovarin_bin}/${folder}")
endforeach()

# The installed folder: everything beside the programs.
install(FILES ${tovarin_qt_dll_paths} ${tovarin_runtime_dlls} "${tovarin_qt_conf}"
  DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES "${tovarin_qtbase_ja}" DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)
foreach(plugin IN LISTS tovarin_qt_plugins)
  get_filename_component(folder "${plugin}" DIRECTORY)
  install(FILES "${tovarin_qt_prefix}/plugins/${plugin}" DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder})
endforeach()
# Every example document, whatever its kind.
install(DIRECTORY "${PROJECT_SOURCE_DIR}/examples/" DESTINATION ${CMAKE_INSTALL_BINDIR}/examples)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION ${CMAKE_INSTALL_BINDIR})
