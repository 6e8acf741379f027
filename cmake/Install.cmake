# cmake --install: the executables, the indicator bitmaps, a desktop entry with its metainfo, an
# icon, the manual page and bash completion, each in its freedesktop or FHS place under the
# prefix.
include(GNUInstallDirs)

foreach(program orvik3 orvik3-camsim)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

# The palettes are compiled in; only the bitmaps are read at run time (app/ProgramFiles.cpp
# looks in ../share/orvik3 beside the executable).
file(GLOB ORVIK_BITMAPS ${CMAKE_SOURCE_DIR}/resources/*.bmp)
install(FILES ${ORVIK_BITMAPS} DESTINATION ${CMAKE_INSTALL_DATADIR}/orvik3)
install(FILES ${CMAKE_SOURCE_DIR}/resources/orvik3.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${CMAKE_SOURCE_DIR}/man/orvik3.1.in ${CMAKE_BINARY_DIR}/man/orvik3.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/man/orvik3.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
configure_file(${CMAKE_SOURCE_DIR}/resources/orvik3.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/resources/orvik3.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/resources/orvik3.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/orvik3.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME orvik3)

# The desktop entry names the program by its full path, so it starts even where the prefix's
# bin/ is not on the desktop session's PATH (~/.local/bin before the next login). The prefix is
# known only at install time (cmake --install --prefix), so the entry is written then.
set(ORVIK_DESKTOP_IN ${CMAKE_SOURCE_DIR}/resources/orvik3.desktop.in)
install(CODE "
  set(ORVIK3_EXEC \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/orvik3\")
  set(ORVIK3_EXEC_LINE \"\${ORVIK3_EXEC}\")
  if(ORVIK3_EXEC MATCHES \" \")
    set(ORVIK3_EXEC_LINE \"\\\"\${ORVIK3_EXEC}\\\"\")
  endif()
  file(READ \"${ORVIK_DESKTOP_IN}\" entry)
  string(CONFIGURE \"\${entry}\" entry @ONLY)
  set(entry_path \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/orvik3.desktop\")
  message(STATUS \"Installing: \${entry_path}\")
  file(WRITE \"\${entry_path}\" \"\${entry}\")
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${entry_path}\")
")
