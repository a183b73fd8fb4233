# `cmake --install`: the programs, the chart control library, the status report layout, the
# sample project, and what the desktop needs to know Praxel: its desktop entry, its two file types
# and its icon. The program path record and the version record tell the installation wrapper
# where Praxel is and which versions are in place.
include(GNUInstallDirs)

# The programs find the library in the installation's own library folder.
file(RELATIVE_PATH praxel_lib_from_bin /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_LIBDIR})
set_target_properties(praxel PROPERTIES INSTALL_RPATH "$ORIGIN/${praxel_lib_from_bin}")

install(TARGETS praxel pxtool instwrap RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ywindow LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})

set(praxel_data ${CMAKE_INSTALL_DATADIR}/praxel)
install(FILES analysis/report/StatusReportLayout.rtf DESTINATION ${praxel_data})
install(FILES examples/sample.pxa DESTINATION ${praxel_data}/examples)
install(FILES ${CMAKE_BINARY_DIR}/generated/praxel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES tools/instwrap/xdg/praxel-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME praxel.xml)
install(FILES shell/resources/praxel.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The records name the installed files by the prefix the install is made to, which may differ from
# the one the build was configured with (`cmake --install --prefix`).
install(CODE "
  set(records \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${praxel_data}\")
  file(WRITE \"\${records}/program-path\" \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/praxel\\n\")
  set(versions \"\")
  foreach(name instwrap $<TARGET_FILE_NAME:ywindow> praxel pxtool)
    string(APPEND versions \"\${name}=${PROJECT_VERSION}\\n\")
  endforeach()
  file(WRITE \"\${records}/versions\" \"\${versions}\")
  message(STATUS \"Installing: \${records}/program-path and versions\")
")
